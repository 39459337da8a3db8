// What the time loop tells the rest of the program: the start of the run,
// every time level it reaches, a failed run check, the normal end. The loop
// itself computes and writes nothing.
#pragma once

#include "driver/run_state.h"

namespace floodwave {

enum class RunStop {
  kDepth,       // a new interior depth is zero or negative
  kCourant,     // the Courant condition fails at an interior node
  kTimeFrozen,  // T + DT rounds back to T before TMAX is passed
};

class RunObserver {
 public:
  virtual ~RunObserver() = default;
  // Before the first time level: the header page.
  virtual void Start() = 0;
  // Every time level, T = 0 first, with the current level holding the state
  // at T: the station row, when T is an output time.
  virtual void OfferTime(float T, const FlowState& state) = 0;
  // A run check failed. The program's own observer ends the program here;
  // if it returns, the time loop returns at once.
  virtual void Stopped(RunStop why) = 0;
  // TMAX has been passed.
  virtual void Finished() = 0;
};

}  // namespace floodwave
