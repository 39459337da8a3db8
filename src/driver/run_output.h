// Wires the time loop to the results file and the console: the header page,
// the station rows, the run-check stop and the normal end.
#pragma once

#include "driver/run_state.h"
#include "hydraulics/run_observer.h"

namespace floodwave {

class RunOutput final : public RunObserver {
 public:
  explicit RunOutput(const RunData& run) : run_(run) {}
  void Start() override;
  void OfferTime(float T, const FlowState& state) override;
  void Stopped(RunStop why) override;
  void Finished() override;

 private:
  const RunData& run_;
};

}  // namespace floodwave
