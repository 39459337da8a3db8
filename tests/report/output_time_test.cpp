#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "report/station_row.h"

namespace floodwave {
namespace {

constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// The step numbers, from 0 to last_step, whose time gets a row, with the
// time accumulated as the run accumulates it: rounded to float at every
// step.
std::vector<int> RowSteps(float DT, std::int32_t NFREQ, int last_step) {
  std::vector<int> steps;
  float T = 0;
  for (int step = 0; step <= last_step; ++step) {
    if (IsOutputTime(T, DT, NFREQ)) steps.push_back(step);
    T = static_cast<float>(static_cast<double>(T) + static_cast<double>(DT));
  }
  return steps;
}

TEST(OutputTime, AccumulatedTimeMovesOrRepeatsRows) {
  struct Case {
    float DT;
    std::int32_t NFREQ;
    int last_step;
    std::vector<int> rows;
  };
  const Case cases[] = {
      // After 30 steps T is just below 3 (k = 29): the row moves to step 31,
      // and so on until T passes just above 10 at step 100.
      {0.1f, 10, 200, {0,   10,  20,  31,  41,  51,  61,  71,  81,  91,  100,
                       110, 120, 130, 140, 150, 160, 170, 180, 190, 200}},
      // T = 0.5 after 5 steps is just below 5 * DT: k = 4.
      {0.1f, 2, 9, {0, 2, 4, 5, 6, 8}},
      {0.1f, 1, 9, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      // Steps 5 and 6 (3.50 and 4.20) both give k = 5.
      {0.7f, 5, 11, {0, 5, 6, 11}},
      // Exact times: exact steps.
      {0.5f, 4, 20, {0, 4, 8, 12, 16, 20}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RowSteps(c.DT, c.NFREQ, c.last_step), c.rows)
        << "DT " << c.DT << ", NFREQ " << c.NFREQ;
  }
}

TEST(OutputTime, WorkedRunWritesEveryMinute) {
  // DT = 5 s, NFREQ = 12, TMAX = 7200 s: 121 rows, at 0, 60, ..., 7200 s.
  std::vector<int> expected;
  for (int step = 0; step <= 1440; step += 12) expected.push_back(step);
  EXPECT_EQ(expected.size(), 121u);
  EXPECT_EQ(RowSteps(5.0f, 12, 1440), expected);
}

TEST(OutputTime, StepIsTheTruncatedQuotient) {
  struct Case {
    float T, DT;
    std::int32_t k;
  };
  const Case cases[] = {
      {0, 5, 0},
      {60, 5, 12},
      {59.999996f, 5, 11},  // just below a multiple: truncated, not rounded
      {-7.5f, 5, -1},       // toward zero
      {2147483520.0f, 1, 2147483520},  // the largest float below 2^31
      {-2147483648.0f, 1, kLowest},    // -2^31 itself has a 32-bit value
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StepFromTime(c.T, c.DT), c.k) << c.T << " / " << c.DT;
  }
}

TEST(OutputTime, QuotientWithoutA32BitValueGivesTheLowestInteger) {
  const struct {
    float T, DT;
  } cases[] = {
      {2147483648.0f, 1},  // 2^31
      {-2147483904.0f, 1}, // the float below -2^31
      {1e30f, 1e-30f},
      {1, 0},              // division by zero: +infinity
      {-1, 0},
      {0, 0},              // 0 / 0: NaN
      {kNaN, 5},
      {5, kNaN},
      {kInf, 5},
      {-kInf, 5},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StepFromTime(c.T, c.DT), kLowest) << c.T << " / " << c.DT;
  }
  // -2^31 is a multiple of every power of two only.
  EXPECT_TRUE(IsOutputTime(kNaN, 5, 1));
  EXPECT_TRUE(IsOutputTime(kNaN, 5, 1024));
  EXPECT_FALSE(IsOutputTime(kNaN, 5, 12));
}

TEST(OutputTime, FrequencyBelowOneNeverWrites) {
  for (std::int32_t NFREQ : {0, -1, kLowest}) {
    EXPECT_FALSE(IsOutputTime(0, 5, NFREQ)) << NFREQ;
    EXPECT_FALSE(IsOutputTime(kNaN, 5, NFREQ)) << NFREQ;
  }
}

}  // namespace
}  // namespace floodwave
