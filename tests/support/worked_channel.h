// The worked trapezoidal channel that several tests run: B = 10 m, m = 2,
// Jf = 0.001, n = 0.03, hn = 2 m, LT = 1000 m, with a hydrograph rising from
// Qo (about 38.3 m3/s) to 50 m3/s in 600 s and back in 1800 s.
#pragma once

#include <cstdint>

#include "driver/run_state.h"
#include "hydraulics/section.h"

namespace floodwave::testing {

// Qo, Uo and Co as the dialogue derives them from the channel data.
inline void DeriveUniformFlow(RunData& run) {
  const UniformFlow flow = ManningFlow(run.hn, MakeSection(run.B, run.m, run.Jf, run.n));
  run.Uo = static_cast<float>(flow.V);
  run.Qo = static_cast<float>(flow.Qn);
  run.Co = static_cast<float>(WaveCelerity(run.hn));
}

// The channel divided into NN - 1 steps, DX = LT / (NN - 1) as the dialogue
// rounds it; stations at the two ends and the middle, a row every step.
inline RunData WorkedChannel(std::int32_t NN, float DT, float TMAX = 0) {
  RunData run;
  run.B = 10;
  run.m = 2;
  run.Jf = 0.001f;
  run.n = 0.03f;
  run.hn = 2;
  run.LT = 1000;
  run.NDIV = NN - 1;
  run.NN = NN;
  run.DX = static_cast<float>(static_cast<double>(run.LT) / run.NDIV);
  run.DT = DT;
  run.TMAX = TMAX;
  run.NSTAT = {1, NN / 2 + 1, NN};
  run.NFREQ = 1;
  run.TPEAK = 600;
  run.QMAX = 50;
  run.TDECAY = 1800;
  DeriveUniformFlow(run);
  return run;
}

}  // namespace floodwave::testing

namespace floodwave::testing {

// The published worked example of the results file: B = 10 m, m = 2,
// Jf = 0.0005, n = 0.03, hn = 2.5 m, LT = 5000 m, hydrograph 3600 s /
// 300 m3/s / 7200 s, 100 steps of 50 m, DT = 5 s, TMAX = 7200 s, stations
// 1, 51 and 101, a row every 12 steps, with the uniform flow as published
// (to seven digits; the page shows three decimals).
inline RunData PublishedWorkedExample() {
  RunData run;
  run.B = 10;
  run.m = 2;
  run.Jf = 0.0005f;
  run.n = 0.03f;
  run.hn = 2.5f;
  run.LT = 5000;
  run.Qo = 40.90665f;
  run.Uo = 1.090844f;
  run.Co = 4.952272f;
  run.TPEAK = 3600;
  run.QMAX = 300;
  run.TDECAY = 7200;
  run.NDIV = 100;
  run.NN = 101;
  run.DX = 50;
  run.DT = 5;
  run.TMAX = 7200;
  run.NSTAT = {1, 51, 101};
  run.NFREQ = 12;
  return run;
}

}  // namespace floodwave::testing
