#include "hydraulics/inflow_hydrograph.h"

#include <cmath>

#include <gtest/gtest.h>

namespace floodwave {
namespace {

struct Case {
  const char* what;
  float TPEAK, QMAX, TDECAY, T, Qo;
  double Qin;
};

TEST(InflowHydrograph, Limbs) {
  const Case cases[] = {
      {"rising", 600, 50, 1800, 300, 10, 30},
      {"peak", 600, 50, 1800, 600, 10, 50},
      {"falling", 600, 50, 1800, 1500, 10, 30},
      {"end of the falling limb", 600, 50, 1800, 2400, 10, 10},
      {"after the hydrograph", 600, 50, 1800, 3000, 10, 10},
      {"start", 600, 50, 1800, 0, 10, 10},
      // A peak below the base flow is a trough.
      {"trough falling", 600, 2, 1800, 300, 10, 6},
      {"trough bottom", 600, 2, 1800, 600, 10, 2},
      {"trough rising", 600, 2, 1800, 1500, 10, 6},
      // No decay time: straight back to the base flow after the peak.
      {"no decay, at the peak", 600, 50, 0, 600, 10, 50},
      {"no decay, after the peak", 600, 50, 0, 600.5f, 10, 10},
      // A peak before the start: the falling limb from the first step.
      {"negative peak time", -600, 50, 1800, 300, 10, 30},
      {"negative peak time, end", -600, 50, 1800, 1200, 10, 10},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InflowHydrograph(c.TPEAK, c.QMAX, c.TDECAY, c.T, c.Qo), c.Qin)
        << c.what;
  }
}

TEST(InflowHydrograph, PeakAtTheStartFallsFromTheFirstStep) {
  // TPEAK = 0: the first step (T = DT) is already on the falling limb.
  const float DT = 0.1f;
  const double Qin = InflowHydrograph(0, 50, 1800, DT, 10);
  EXPECT_LT(Qin, 50.0);
  EXPECT_GT(Qin, 49.99);
  EXPECT_EQ(Qin, 50 - ((static_cast<double>(DT) * 40) / 1800));
  // ... or at the base flow when the decay is no longer than the step.
  EXPECT_EQ(InflowHydrograph(0, 50, DT, DT, 10), 10.0);
  EXPECT_EQ(InflowHydrograph(0, 50, 0.05f, DT, 10), 10.0);
}

TEST(InflowHydrograph, BaseFlowIsExactAfterTheWave) {
  const float Qo = 38.2963f;
  for (float T : {2400.0f, 2400.5f, 1e6f}) {
    const double Qin = InflowHydrograph(600, 50, 1800, T, Qo);
    EXPECT_EQ(Qin, static_cast<double>(Qo));
    EXPECT_EQ(static_cast<float>(Qin), Qo);
  }
}

TEST(InflowHydrograph, EvaluationOrderOfTheLimbs) {
  // Neither limb gives a whole number here, so the grouping shows.
  const float TPEAK = 700, QMAX = 50.3f, TDECAY = 1900, Qo = 10.1f;
  const double rise = static_cast<double>(QMAX) - Qo;
  const float T1 = 333.3f;
  EXPECT_EQ(InflowHydrograph(TPEAK, QMAX, TDECAY, T1, Qo),
            ((rise * T1) / TPEAK) + Qo);
  const float T2 = 1111.1f;
  EXPECT_EQ(InflowHydrograph(TPEAK, QMAX, TDECAY, T2, Qo),
            QMAX - (((static_cast<double>(T2) - TPEAK) * rise) / TDECAY));
}

TEST(InflowHydrograph, ZeroPeakTimeAtTimeZeroIsNotANumber) {
  EXPECT_TRUE(std::isnan(InflowHydrograph(0, 50, 1800, 0, 10)));
}

}  // namespace
}  // namespace floodwave
