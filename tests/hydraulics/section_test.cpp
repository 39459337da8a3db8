#include "hydraulics/section.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "driver/run_state.h"

namespace floodwave {
namespace {

std::uint32_t Bits(float x) { return std::bit_cast<std::uint32_t>(x); }

std::string Shown(const char* format, double x) {
  char text[64];
  std::snprintf(text, sizeof text, format, x);
  return text;
}

// The uniform flow as the dialogue stores it.
struct Stored {
  float Uo, Qo, Co;
};
Stored UniformAt(float hn, const Section& s) {
  const UniformFlow flow = ManningFlow(hn, s);
  return {static_cast<float>(flow.V), static_cast<float>(flow.Qn),
          static_cast<float>(WaveCelerity(hn))};
}

TEST(Section, ExponentsAreTheSinglePrecisionThirds) {
  EXPECT_EQ(Bits(kTwoThirds), 0x3F2AAAABu);
  EXPECT_EQ(Bits(kFourThirds), 0x3FAAAAABu);
}

TEST(Section, TrapezoidWorkedChannel) {
  const Section s = MakeSection(10, 2, 0.001f, 0.03f);
  EXPECT_EQ(SectionArea(2, s), 28.0);
  EXPECT_EQ(WettedPerimeter(2, s), 10 + 4 * std::sqrt(5.0));
  const float R = HydraulicRadius(2, s);
  EXPECT_EQ(Shown("%.7g", R), "1.478019");
  const long double exact = 28.0L / (10.0L + 4.0L * std::sqrt(5.0L));
  EXPECT_EQ(Bits(R), Bits(static_cast<float>(exact)));

  const Stored stored = UniformAt(2, s);
  EXPECT_EQ(Shown("%.6g", stored.Uo), "1.36773");
  EXPECT_EQ(Shown("%.6g", stored.Qo), "38.2963");
  EXPECT_EQ(Shown("%.6g", stored.Co), "4.42945");
  EXPECT_EQ(Shown("%.3f", stored.Uo), "1.368");
  EXPECT_EQ(Shown("%.3f", stored.Qo), "38.296");
  EXPECT_EQ(Shown("%.3f", stored.Co), "4.429");
}

TEST(Section, LargestTimeStepOfTheWorkedChannel) {
  // The dialogue divides DX by |Uo| plus the unrounded celerity.
  const Section s = MakeSection(10, 2, 0.001f, 0.03f);
  const float Uo = static_cast<float>(ManningFlow(2, s).V);
  const double c = WaveCelerity(2.0f);
  const float DTMAX = static_cast<float>(10.0f / (std::fabs(Uo) + c));
  EXPECT_EQ(Shown("%.8g", DTMAX), "1.7249789");
  EXPECT_EQ(Shown("%.3f", DTMAX), "1.725");
}

TEST(Section, HeaderPageChannel) {
  const Section s = MakeSection(10, 2, 0.0005f, 0.03f);
  const Stored stored = UniformAt(2.5f, s);
  EXPECT_EQ(Shown("%.7g", stored.Qo), "40.90665");
  EXPECT_EQ(Shown("%.7g", stored.Uo), "1.090844");
  EXPECT_EQ(Shown("%.7g", stored.Co), "4.952272");
}

TEST(Section, RectangleIsTheCaseWithoutSideSlope) {
  const Section s = MakeSection(5, 0, 0.0005f, 0.025f);
  EXPECT_EQ(s.side, 1.0);
  EXPECT_EQ(SectionArea(1.5, s), 7.5);
  EXPECT_EQ(WettedPerimeter(1.5, s), 8.0);
  EXPECT_EQ(Bits(HydraulicRadius(1.5, s)), Bits(0.9375f));
  const Stored stored = UniformAt(1.5f, s);
  EXPECT_EQ(Shown("%.3f", stored.Qo), "6.426");
  EXPECT_EQ(Shown("%.3f", stored.Uo), "0.857");
  EXPECT_EQ(Shown("%.3f", stored.Co), "3.836");
}

TEST(Section, ExactShapes) {
  // Side slopes whose sqrt(m*m + 1) is exact give exact areas and radii.
  struct Case {
    float B, m;
    double H, A, P;
    float R;
  };
  const Case cases[] = {
      {0, 0.75f, 2, 3, 5, 0.6f},       // triangle: A = m*H^2, P = 2*H*1.25
      {3, 0.75f, 2, 9, 8, 1.125f},     // trapezoid
      {4, 0, 0.5, 2, 5, 0.4f},         // rectangle: A = B*H, P = B + 2*H
      {0, 0, 2, 0, 4, 0.0f},           // no width at all: no area
  };
  for (const Case& c : cases) {
    const Section s = MakeSection(c.B, c.m, 0.001f, 0.03f);
    SCOPED_TRACE(testing::Message() << "B=" << c.B << " m=" << c.m);
    EXPECT_EQ(SectionArea(c.H, s), c.A);
    EXPECT_EQ(WettedPerimeter(c.H, s), c.P);
    EXPECT_EQ(Bits(HydraulicRadius(c.H, s)), Bits(c.R));
  }
}

TEST(Section, DischargeUsesTheRoundedArea) {
  const Section s = MakeSection(1, 1, 0.001f, 0.03f);
  const double H = 0.1;  // A = 0.11000000000000001, not a float
  const double A = SectionArea(H, s);
  ASSERT_NE(static_cast<double>(static_cast<float>(A)), A);
  const UniformFlow flow = ManningFlow(H, s);
  EXPECT_EQ(flow.Qn, static_cast<float>(A) * flow.V);
  EXPECT_NE(flow.Qn, A * flow.V);
}

TEST(Section, SpecialValuesPassThrough) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  // A triangle at zero depth has no perimeter: 0/0.
  const Section triangle = MakeSection(0, 1, 0.001f, 0.03f);
  EXPECT_TRUE(std::isnan(HydraulicRadius(0, triangle)));
  EXPECT_TRUE(std::isnan(ManningFlow(0, triangle).V));
  // A negative depth of a triangle gives a negative radius.
  EXPECT_LT(HydraulicRadius(-1, triangle), 0.0f);
  EXPECT_TRUE(std::isnan(ManningFlow(-1, triangle).V));
  // A slope below zero has no square root.
  const Section uphill = MakeSection(10, 2, -0.001f, 0.03f);
  EXPECT_TRUE(std::isnan(ManningFlow(2, uphill).V));
  EXPECT_TRUE(std::isnan(ManningFlow(2, uphill).Qn));
  // No roughness: no friction, infinite velocity.
  const Section smooth = MakeSection(10, 2, 0.001f, 0);
  EXPECT_EQ(ManningFlow(2, smooth).V, kInf);
  EXPECT_EQ(ManningFlow(2, smooth).Qn, kInf);
  // And no slope with no roughness: 0/0.
  const Section flat_smooth = MakeSection(10, 2, 0, 0);
  EXPECT_TRUE(std::isnan(ManningFlow(2, flat_smooth).V));
  EXPECT_TRUE(std::isnan(WaveCelerity(-1)));
  EXPECT_EQ(WaveCelerity(0), 0.0);
}

}  // namespace
}  // namespace floodwave
