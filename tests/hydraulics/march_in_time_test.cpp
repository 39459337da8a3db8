#include "hydraulics/march_in_time.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "driver/run_state.h"
#include "hydraulics/initial_state.h"
#include "hydraulics/recording_observer.h"
#include "hydraulics/section.h"
#include "support/worked_channel.h"

namespace floodwave {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::uint32_t Bits(float x) { return std::bit_cast<std::uint32_t>(x); }

// The worked channel of 1000 m with a wave: Qo about 38.3, peak 50.
RunData Channel(std::int32_t NN, float DT, float TMAX, std::int32_t NFREQ) {
  RunData run = floodwave::testing::WorkedChannel(NN, DT, TMAX);
  run.NFREQ = NFREQ;
  return run;
}

struct Timing {
  float DT;
  std::int32_t NFREQ;
  float TMAX;
  std::size_t passes;        // time levels offered, T = 0 included
  const char* last;          // the last time offered
  std::vector<std::string> rows;  // the first rows, as shown
};

TEST(MarchInTime, OutputTimesFollowTheAccumulatedTime) {
  const Timing cases[] = {
      {0.1f, 10, 10, 100, "9.90",
       {"0.00", "1.00", "2.00", "3.10", "4.10", "5.10", "6.10", "7.10", "8.10",
        "9.10"}},
      {0.1f, 1, 1, 10, "0.90",
       {"0.00", "0.10", "0.20", "0.30", "0.40", "0.50", "0.60", "0.70", "0.80",
        "0.90"}},
      {0.1f, 2, 1, 10, "0.90", {"0.00", "0.20", "0.40", "0.50", "0.60", "0.80"}},
      {0.5f, 4, 10, 21, "10.00",
       {"0.00", "2.00", "4.00", "6.00", "8.00", "10.00"}},
      {0.1f, 1, 0.1f, 2, "0.10", {"0.00", "0.10"}},  // TMAX = DT
      {2.5f, 1, 2.5f, 2, "2.50", {"0.00", "2.50"}},
  };
  for (const Timing& c : cases) {
    SCOPED_TRACE(::testing::Message() << "DT=" << c.DT << " NFREQ=" << c.NFREQ
                                    << " TMAX=" << c.TMAX);
    const RunData run = Channel(11, c.DT, c.TMAX, c.NFREQ);
    FlowState state;
    SetInitialState(run, state);
    RecordingObserver observer(run.DT, run.NFREQ);
    MarchInTime(run, state, observer);
    EXPECT_THAT(observer.events, ElementsAre("start", "finished"));
    EXPECT_EQ(observer.offered.size(), c.passes);
    EXPECT_EQ(RecordingObserver::Shown(observer.offered.back()), c.last);
    EXPECT_THAT(observer.rows, ElementsAreArray(c.rows));
  }
}

TEST(MarchInTime, RowsOfLongerRuns) {
  struct Case {
    float DT;
    std::int32_t NFREQ;
    float TMAX;
    std::vector<std::string> first_rows;
  };
  const Case cases[] = {
      // After 100 steps the time is just above 10: whole seconds again.
      {0.1f, 10, 20,
       {"0.00", "1.00", "2.00", "3.10", "4.10", "5.10", "6.10", "7.10", "8.10",
        "9.10", "10.00", "11.00"}},
      // Steps 5 and 6 both give k = 5.
      {0.7f, 5, 30, {"0.00", "3.50", "4.20", "7.70"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "DT=" << c.DT << " NFREQ=" << c.NFREQ);
    const RunData run = Channel(11, c.DT, c.TMAX, c.NFREQ);
    FlowState state;
    SetInitialState(run, state);
    RecordingObserver observer(run.DT, run.NFREQ);
    MarchInTime(run, state, observer);
    EXPECT_THAT(observer.events, ElementsAre("start", "finished"));
    ASSERT_GE(observer.rows.size(), c.first_rows.size());
    const std::vector<std::string> first(
        observer.rows.begin(),
        observer.rows.begin() + static_cast<std::ptrdiff_t>(c.first_rows.size()));
    EXPECT_THAT(first, ElementsAreArray(c.first_rows));
  }
}

TEST(MarchInTime, EveryOfferedTimeIsTheRoundedSumOfThePrevious) {
  const RunData run = Channel(11, 0.7f, 30, 5);
  FlowState state;
  SetInitialState(run, state);
  RecordingObserver observer(run.DT, run.NFREQ);
  MarchInTime(run, state, observer);
  ASSERT_EQ(observer.offered.front(), 0.0f);
  for (std::size_t j = 1; j < observer.offered.size(); ++j) {
    const double S = static_cast<double>(observer.offered[j - 1]) + run.DT;
    EXPECT_EQ(Bits(observer.offered[j]), Bits(static_cast<float>(S))) << j;
  }
  const double after = static_cast<double>(observer.offered.back()) + run.DT;
  EXPECT_GT(after, 30.0);
}

// An observer that checks, at every offered time, that the state is the
// one of that time: node 1 carries the inflow of the time itself.
class InflowChecker : public RecordingObserver {
 public:
  InflowChecker(const RunData& run) : RecordingObserver(run.DT, 1), run_(run) {}
  void OfferTime(float T, const FlowState& state) override {
    RecordingObserver::OfferTime(T, state);
    if (T == 0) {
      EXPECT_EQ(Bits(state.q(1, 1)), Bits(run_.Qo));
      return;
    }
    double Qin;
    if (run_.TPEAK >= T) {
      Qin = (((static_cast<double>(run_.QMAX) - run_.Qo) * T) / run_.TPEAK) + run_.Qo;
    } else {
      Qin = run_.Qo;  // used only with times past the hydrograph
    }
    EXPECT_EQ(Bits(state.q(1, 1)), Bits(static_cast<float>(Qin))) << T;
  }

 private:
  RunData run_;
};

TEST(MarchInTime, TheInflowIsTakenAtTheNewTime) {
  RunData run = Channel(11, 1, 20, 1);
  run.TPEAK = 100;
  InflowChecker observer(run);
  FlowState state;
  SetInitialState(run, state);
  MarchInTime(run, state, observer);
  EXPECT_THAT(observer.events, ElementsAre("start", "finished"));
  EXPECT_EQ(observer.offered.size(), 21u);
  // The wave has entered the channel and moved the second node.
  EXPECT_GT(state.h(1, 2), run.hn);
}

TEST(MarchInTime, CourantStopAfterTheFirstRow) {
  // DT = 1 is below DTMAX = 1.7249789 but fails the factor-4 check.
  const RunData run = Channel(101, 1, 100, 1);
  FlowState state;
  SetInitialState(run, state);
  RecordingObserver observer(run.DT, run.NFREQ);
  MarchInTime(run, state, observer);
  EXPECT_THAT(observer.events, ElementsAre("start", "stopped: Courant"));
  EXPECT_THAT(observer.rows, ElementsAre("0.00"));
  // The failed step is not copied into the current level.
  EXPECT_EQ(Bits(state.h(1, 1)), Bits(run.hn));
  EXPECT_EQ(Bits(state.q(1, 1)), Bits(run.Qo));
}

TEST(MarchInTime, DepthStop) {
  RunData run = Channel(5, 1, 100, 1);
  run.DX = 100;
  FlowState state;
  SetInitialState(run, state);
  // Node 2 passes both checks; node 3: Hn = 2 + 0.005*(2*(Uo - 300)) < 0.
  state.u(1, 4) = 300;
  RecordingObserver observer(run.DT, run.NFREQ);
  MarchInTime(run, state, observer);
  EXPECT_THAT(observer.events, ElementsAre("start", "stopped: depth"));
  EXPECT_EQ(observer.offered.size(), 1u);
}

TEST(MarchInTime, UniformFlowWithoutAWaveStaysUniform) {
  RunData run = Channel(101, 0.25f, 50, 1);
  run.QMAX = run.Qo;
  FlowState state;
  SetInitialState(run, state);
  RecordingObserver observer(run.DT, run.NFREQ);
  MarchInTime(run, state, observer);
  EXPECT_THAT(observer.events, ElementsAre("start", "finished"));
  for (int i = 2; i <= run.NN; ++i) {
    EXPECT_EQ(Bits(state.q(1, i)), Bits(run.Qo)) << i;
  }
  EXPECT_EQ(Bits(state.q(1, 1)), Bits(run.Qo));
}

TEST(MarchInTime, DurationOrStepThatIsNotANumberEndsAtOnce) {
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  constexpr float kInf = std::numeric_limits<float>::infinity();
  struct Case {
    float DT, TMAX;
    std::vector<std::string> events;
    std::size_t passes;
  };
  const Case cases[] = {
      {0.1f, kNaN, {"start", "finished"}, 1},
      {kNaN, 10, {"start", "finished"}, 1},
      {kInf, 10, {"start", "finished"}, 1},
      {kNaN, kInf, {"start", "finished"}, 1},
      // Infinite step into an infinite duration: one step to T = inf, then
      // the time cannot advance.
      {kInf, kInf, {"start", "stopped: time frozen"}, 2},
      // A step of zero never advances.
      {0, 10, {"start", "stopped: time frozen"}, 1},
      {0.1f, -1, {"start", "finished"}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "DT=" << c.DT << " TMAX=" << c.TMAX);
    RunData run = Channel(11, 0.1f, 10, 1);
    run.DT = c.DT;
    run.TMAX = c.TMAX;
    FlowState state;
    SetInitialState(run, state);
    RecordingObserver observer(0.1f, 1);
    MarchInTime(run, state, observer);
    EXPECT_THAT(observer.events, ElementsAreArray(c.events));
    EXPECT_EQ(observer.offered.size(), c.passes);
  }
}

}  // namespace
}  // namespace floodwave
