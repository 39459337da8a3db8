// A station row on its real way to a file: the observer the time loop calls
// at every time level (the output test, then WriteStationRow, the layout
// composed into the results channel, the channel buffer written out every
// 64 KiB). The results channel is connected to /dev/null, so that the
// system's write costs a call but no disk; bench/run measures the disk.
//
// BM_OfferTimeEveryRow   NFREQ = 1: a row at every time level
// BM_OfferTimeNoRow      NFREQ too large for any row after the first: the
//                        output test alone, as a long run pays it per step
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <random>

#include "driver/run_output.h"
#include "driver/run_state.h"
#include "textio/channel_table.h"

namespace floodwave {
namespace {

// One connection for the whole program: a channel is connected once.
bool ConnectResultsToNull() {
  static const bool connected = [] {
    const int fd = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    textio::SetChannelName(kResultsChannel, "/dev/null");
    textio::ConnectFileChannel(kResultsChannel, fd);
    return true;
  }();
  return connected;
}

RunData Run(std::int32_t NFREQ) {
  RunData run;
  run.DT = 0.125f;
  run.NN = 101;
  run.NSTAT = {1, 51, 101};
  run.NFREQ = NFREQ;
  return run;
}

// A channel carrying a wave: discharges of tens to hundreds, depths of a
// few metres, velocities near 1, different at every node.
FlowState WaveState() {
  FlowState state;
  std::mt19937 random(7u);
  std::uniform_real_distribution<float> discharge(30.0f, 300.0f);
  std::uniform_real_distribution<float> depth(1.0f, 6.0f);
  std::uniform_real_distribution<float> velocity(0.5f, 2.5f);
  for (int i = 1; i <= kNodeCapacity; ++i) {
    state.q(FlowState::kCurrent, i) = discharge(random);
    state.h(FlowState::kCurrent, i) = depth(random);
    state.u(FlowState::kCurrent, i) = velocity(random);
  }
  return state;
}

void OfferTimes(benchmark::State& bench, std::int32_t NFREQ) {
  if (!ConnectResultsToNull()) {
    bench.SkipWithError("cannot open /dev/null");
    return;
  }
  const RunData run = Run(NFREQ);
  RunOutput output(run);
  RunObserver& observer = output;
  FlowState state = WaveState();
  float T = 0;
  for (auto _ : bench) {
    observer.OfferTime(T, state);
    T = static_cast<float>(static_cast<double>(T) + run.DT);
    // Times the run would reach with DT = 0.125 before 250000 s; beyond
    // that the F10.2 field keeps the same width anyway.
    if (T > 250000.0f) T = 0;
    // Each row differs from the last, as in a run.
    state.q(FlowState::kCurrent, 51) += 0.001f;
    benchmark::ClobberMemory();
  }
  bench.SetItemsProcessed(bench.iterations());
}

void BM_OfferTimeEveryRow(benchmark::State& bench) {
  OfferTimes(bench, 1);
  bench.SetBytesProcessed(bench.iterations() * 126);
}
BENCHMARK(BM_OfferTimeEveryRow);

void BM_OfferTimeNoRow(benchmark::State& bench) { OfferTimes(bench, 1 << 30); }
BENCHMARK(BM_OfferTimeNoRow);

}  // namespace
}  // namespace floodwave
