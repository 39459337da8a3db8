// A time-loop observer for the tests: it keeps every event, and for every
// offered time whether it is an output time (k = trunc(T/DT), a row when k
// is a multiple of NFREQ), which is the test the station rows make.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "driver/run_state.h"
#include "hydraulics/run_observer.h"

namespace floodwave {

class RecordingObserver : public RunObserver {
 public:
  RecordingObserver(float DT, std::int32_t NFREQ) : DT_(DT), NFREQ_(NFREQ) {}

  void Start() override { events.push_back("start"); }
  void OfferTime(float T, const FlowState&) override {
    offered.push_back(T);
    const double k = std::trunc(static_cast<double>(T) / DT_);
    // Times the run can never show (infinite, not a number) make no row.
    if (!(k >= 0 && k < 2147483648.0)) return;
    if (static_cast<std::int32_t>(k) % NFREQ_ == 0) rows.push_back(Shown(T));
  }
  void Stopped(RunStop why) override {
    events.push_back(why == RunStop::kDepth     ? "stopped: depth"
                     : why == RunStop::kCourant ? "stopped: Courant"
                                                : "stopped: time frozen");
  }
  void Finished() override { events.push_back("finished"); }

  // The time as the row shows it, F10.2 without the leading blanks.
  static std::string Shown(float T) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(T));
    return text;
  }

  std::vector<std::string> events;
  std::vector<float> offered;
  std::vector<std::string> rows;

 private:
  float DT_;
  std::int32_t NFREQ_;
};

}  // namespace floodwave
