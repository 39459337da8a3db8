// Long runs: millions of steps allocate nothing, and a time that can no
// longer advance ends the run instead of looping forever.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

#include "driver/run_state.h"
#include "hydraulics/initial_state.h"
#include "hydraulics/march_in_time.h"
#include "hydraulics/section.h"
#include "support/worked_channel.h"

namespace {
std::size_t allocations = 0;
}  // namespace

// Every allocation of the test program is counted. The replacement pairs
// malloc with free, which the compiler cannot see through the operators.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace floodwave {
namespace {

#ifdef FLOODWAVE_SANITIZED
constexpr float kLongRunSeconds = 3000;
#else
constexpr float kLongRunSeconds = 30000;
#endif

// Counts what the loop reports, without storing anything.
class CountingObserver : public RunObserver {
 public:
  void Start() override { ++starts; }
  void OfferTime(float T, const FlowState&) override {
    ++offers;
    last = T;
  }
  void Stopped(RunStop why) override {
    ++stops;
    stop = why;
  }
  void Finished() override { ++finishes; }

  std::int64_t starts = 0, offers = 0, stops = 0, finishes = 0;
  float last = -1;
  RunStop stop = RunStop::kDepth;
};

RunData Channel(std::int32_t NN, float DT, float TMAX) {
  return floodwave::testing::WorkedChannel(NN, DT, TMAX);
}

TEST(MarchInTimeLongRun, MillionsOfStepsAllocateNothing) {
  // Three nodes: both ends and one checked interior node, a wave passing.
  const RunData run = Channel(3, 0.01f, kLongRunSeconds);
  FlowState state;
  SetInitialState(run, state);
  CountingObserver observer;
  const std::size_t before = allocations;
  MarchInTime(run, state, observer);
  EXPECT_EQ(allocations, before);
  EXPECT_EQ(observer.finishes, 1);
  EXPECT_EQ(observer.stops, 0);
  EXPECT_GT(observer.offers, static_cast<std::int64_t>(kLongRunSeconds * 99));
  // Long after the wave the inflow is back at the stored base flow.
  EXPECT_EQ(state.q(1, 1), run.Qo);
}

TEST(MarchInTimeLongRun, FrozenTimeEndsTheRun) {
  // With DT = 1 the time counts exactly up to 2^24 = 16777216, where
  // 2^24 + 1 rounds back to 2^24: the time stops there, far below TMAX.
  const RunData run = Channel(2, 1, 3e7f);
  FlowState state;
  SetInitialState(run, state);
  CountingObserver observer;
  const std::size_t before = allocations;
  MarchInTime(run, state, observer);
  EXPECT_EQ(allocations, before);
  EXPECT_EQ(observer.starts, 1);
  EXPECT_EQ(observer.stops, 1);
  EXPECT_EQ(observer.stop, RunStop::kTimeFrozen);
  EXPECT_EQ(observer.finishes, 0);
  EXPECT_EQ(observer.last, 16777216.0f);
  EXPECT_EQ(observer.offers, 16777217);
}

}  // namespace
}  // namespace floodwave
