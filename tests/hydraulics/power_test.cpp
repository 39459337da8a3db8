// Worked values of the single-precision power as the computation uses it,
// checked against values derived by hand, without any reference library.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "hydraulics/power.h"

namespace floodwave {
namespace {

constexpr float kTwoThirds = std::bit_cast<float>(0x3F2AAAABu);
constexpr float kFourThirds = std::bit_cast<float>(0x3FAAAAABu);

std::string Digits(float v, int significant) {
  char text[40];
  std::snprintf(text, sizeof text, "%.*g", significant, static_cast<double>(v));
  return text;
}

// B = 10, m = 2, Jf = 0.001, n = 0.03, hn = 2: A = 28, P = 10 + 4 sqrt 5.
TEST(PowF, ManningVelocityOfTheWorkedTrapezoid) {
  const double A = 28.0;
  const double P = 10.0 + (2.0 * 2.0) * std::sqrt(2.0 * 2.0 + 1.0);
  const auto R = static_cast<float>(A / P);
  EXPECT_EQ(Digits(R, 7), "1.478019");
  const auto Uo =
      static_cast<float>((static_cast<double>(PowF(R, kTwoThirds)) * std::sqrt(0.001)) / 0.03);
  EXPECT_EQ(Digits(Uo, 6), "1.36773");
  const auto Qo = static_cast<float>(static_cast<double>(static_cast<float>(A)) *
                                     ((static_cast<double>(PowF(R, kTwoThirds)) * std::sqrt(0.001)) / 0.03));
  EXPECT_EQ(Digits(Qo, 6), "38.2963");
}

// B = 5, m = 0, Jf = 0.0005, n = 0.025, hn = 1.5: R = 7.5 / 8 = 0.9375.
TEST(PowF, ManningVelocityOfTheWorkedRectangle) {
  const auto R = static_cast<float>(7.5 / 8.0);
  const double V = (static_cast<double>(PowF(R, kTwoThirds)) * std::sqrt(0.0005)) / 0.025;
  char text[20];
  std::snprintf(text, sizeof text, "%.3f", static_cast<double>(static_cast<float>(V)));
  EXPECT_STREQ(text, "0.857");
  std::snprintf(text, sizeof text, "%.3f",
                static_cast<double>(static_cast<float>(static_cast<double>(7.5f) * V)));
  EXPECT_STREQ(text, "6.426");
}

// Results known exactly: powers that are floats come out exactly, and
// results exactly halfway between two floats go to the even one.
TEST(PowF, ExactPowersAndTies) {
  EXPECT_EQ(PowF(1.0f, kTwoThirds), 1.0f);
  // the exponents are the floats nearest 2/3 and 4/3, a little larger:
  // 8^y = 4 (1 + 4.1e-8) rounds to 4, but 16 (1 + 8.3e-8) is past half an
  // ulp (2^-20) above 16
  EXPECT_EQ(PowF(8.0f, kTwoThirds), 4.0f);
  EXPECT_EQ(PowF(8.0f, kFourThirds), 16.0f + 0x1p-19f);
  EXPECT_EQ(PowF(9.0f, 0.5f), 3.0f);
  EXPECT_EQ(PowF(27.0f, 1.5f), 140.29611541307906f);  // 81 sqrt 3
  EXPECT_EQ(PowF(0.25f, -1.5f), 8.0f);
  EXPECT_EQ(PowF(3.0f, 15.0f), 14348907.0f);
  EXPECT_EQ(PowF(-2.0f, -3.0f), -0.125f);
  EXPECT_EQ(PowF(4097.0f, 2.0f), 16785408.0f);  // 16785409: tie, to even
  EXPECT_EQ(PowF(4099.0f, 2.0f), 16801800.0f);  // 16801801: tie, to even
  EXPECT_EQ(PowF(66049.0f, 1.5f), 16974592.0f);  // 257^3 = 16974593: tie
  EXPECT_EQ(PowF(0x1p-75f, 2.0f), 0.0f);  // 2^-150: tie between 0 and 2^-149
  EXPECT_EQ(PowF(3.0f * 0x1p-75f, 2.0f), 0x1p-147f);  // 9 2^-150: tie, to 8 2^-150
  EXPECT_EQ(PowF(2.0f, 128.0f), std::numeric_limits<float>::infinity());
  EXPECT_EQ(PowF(2.0f, -149.0f), std::numeric_limits<float>::denorm_min());
}

}  // namespace
}  // namespace floodwave
