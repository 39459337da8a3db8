// One complete time step (inflow, upstream, 99 interior nodes, downstream,
// copy) at 101 nodes, on a channel carrying a flood wave: B = 10, m = 2,
// Jf = 0.0005, n = 0.03, hn = 2.5, LT = 5000, a peak of 300 m3/s after one
// hour. The wave is first run in for a while; the benchmark then goes on
// stepping, and goes back to that state now and then so that the channel
// never settles into the uniform flow again.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "driver/run_state.h"
#include "hydraulics/initial_state.h"
#include "hydraulics/scheme.h"
#include "hydraulics/section.h"
#include "hydraulics/time_step.h"
#include "support/worked_channel.h"

namespace floodwave {
namespace {

RunData WaveChannel() {
  RunData run = testing::PublishedWorkedExample();
  // Small enough for the scheme to stay stable through the whole wave
  // (with DT = 1 it grows oscillations near the upstream end and stops).
  run.DT = 0.25f;
  run.NFREQ = 1;
  testing::DeriveUniformFlow(run);
  return run;
}

void BM_TimeStep(benchmark::State& bench) {
  const RunData run = WaveChannel();
  const Scheme scheme = MakeScheme(run);
  FlowState start;
  SetInitialState(run, start);
  float T = 0;
  constexpr int kRunIn = 9600;  // 2400 s: the rising wave fills the upper half
  for (int step = 0; step < kRunIn; ++step) {
    T = static_cast<float>(static_cast<double>(T) + run.DT);
    if (TakeTimeStep(run, scheme, T, start) != RunCheck::kPassed) {
      bench.SkipWithError("the run-in stopped on a run check");
      return;
    }
  }
  const float T0 = T;
  FlowState state = start;
  constexpr int kCycle = 2000;  // 500 s further, still rising
  int left = kCycle;
  for (auto _ : bench) {
    T = static_cast<float>(static_cast<double>(T) + run.DT);
    const RunCheck check = TakeTimeStep(run, scheme, T, state);
    // A failed check ends the step early: what follows would time less
    // than a whole step.
    if (check != RunCheck::kPassed) {
      bench.SkipWithError("a run check stopped the wave");
      break;
    }
    if (--left == 0) {
      state = start;
      T = T0;
      left = kCycle;
    }
  }
  benchmark::DoNotOptimize(state);
  bench.SetItemsProcessed(bench.iterations() * (run.NN - 2));
  bench.counters["depth_at_node_51"] = state.h(1, 51);
}
BENCHMARK(BM_TimeStep);

}  // namespace
}  // namespace floodwave
