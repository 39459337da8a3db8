// PowF against MPFR's correctly rounded binary32 power, bit for bit, on
// millions of operands: the program's two exponents over the hydraulic
// range and over every magnitude, random pairs, bases near 1, results near
// overflow and in the subnormal range, exact results and exact midpoints
// between floats, negative bases and the special values.

#include <gtest/gtest.h>

#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "hydraulics/power.h"
#include "hydraulics/power_mpfr_reference.h"

namespace floodwave {
namespace {

using power_test::AnyPositive;
using power_test::Count;
using power_test::ExponentFor;
using power_test::kFourThirds;
using power_test::kTwoThirds;
using power_test::LogUniform;
using power_test::ReferencePow;
using power_test::SameFloat;

// Compares PowF with the reference and keeps the first mismatches.
class Comparison {
 public:
  void Check(float x, float y) {
    ++count_;
    const float got = PowF(x, y);
    const float want = ReferencePow(x, y);
    if (SameFloat(got, want)) return;
    if (mismatches_.size() < 10) {
      char text[160];
      std::snprintf(text, sizeof text, "x=%a y=%a: PowF %a, exact %a", x, y,
                    static_cast<double>(got), static_cast<double>(want));
      mismatches_.emplace_back(text);
    }
    ++failures_;
  }

  // Reports the outcome; call once at the end of a test.
  void Expect(const char* what) const {
    for (const std::string& m : mismatches_) ADD_FAILURE() << what << ": " << m;
    EXPECT_EQ(failures_, 0) << what << ": mismatches among " << count_;
    std::printf("%s: %ld comparisons with MPFR\n", what, count_);
  }

 private:
  long count_ = 0;
  long failures_ = 0;
  std::vector<std::string> mismatches_;
};

TEST(PowFMpfr, ProgramExponentsOnHydraulicRadii) {
  std::mt19937_64 rng(1);
  Comparison c;
  for (long i = 0; i < Count(1'000'000); ++i) {
    const float R = LogUniform(rng, 0.01, 100.0);
    c.Check(R, (i % 2) != 0 ? kTwoThirds : kFourThirds);
  }
  // every float of [1.4780, 1.4781), the worked example's neighbourhood
  const std::uint32_t from = std::bit_cast<std::uint32_t>(1.4780f);
  for (std::uint32_t b = from; b < from + Count(20'000); ++b) {
    c.Check(std::bit_cast<float>(b), kTwoThirds);
    c.Check(std::bit_cast<float>(b), kFourThirds);
  }
  c.Expect("hydraulic radii");
}

TEST(PowFMpfr, ProgramExponentsOverEveryMagnitude) {
  std::mt19937_64 rng(2);
  Comparison c;
  for (long i = 0; i < Count(500'000); ++i) {
    c.Check(AnyPositive(rng), (i % 2) != 0 ? kTwoThirds : kFourThirds);
  }
  // the extremes of the float range, subnormal bases included
  for (std::uint32_t b = 1; b < 2000; ++b) {
    for (float y : {kTwoThirds, kFourThirds}) {
      c.Check(std::bit_cast<float>(b), y);
      c.Check(std::bit_cast<float>(0x7f7fffffu - b), y);
    }
  }
  c.Expect("2/3 and 4/3 over every magnitude");
}

TEST(PowFMpfr, RandomPairs) {
  std::mt19937_64 rng(3);
  Comparison c;
  for (long i = 0; i < Count(1'000'000); ++i) {
    const float x = AnyPositive(rng);
    if (x == 1.0f) continue;
    c.Check(x, ExponentFor(rng, x, -152.0, 130.0));
  }
  // exponents of any bit pattern: mostly overflow and underflow
  std::uniform_int_distribution<std::uint32_t> any;
  for (long i = 0; i < Count(100'000); ++i) {
    c.Check(AnyPositive(rng), std::bit_cast<float>(any(rng)));
  }
  c.Expect("random pairs");
}

TEST(PowFMpfr, BasesNearOne) {
  std::mt19937_64 rng(4);
  std::uniform_int_distribution<std::int32_t> ulps(-3000, 3000);
  Comparison c;
  for (long i = 0; i < Count(250'000); ++i) {
    const auto b = static_cast<std::uint32_t>(
        static_cast<std::int32_t>(std::bit_cast<std::uint32_t>(1.0f)) +
        ulps(rng));
    const float x = std::bit_cast<float>(b);
    if (x == 1.0f) continue;
    // large exponents: results over the whole float range
    c.Check(x, ExponentFor(rng, x, -152.0, 130.0));
  }
  c.Expect("bases near 1");
}

TEST(PowFMpfr, ResultsNearOverflowAndSubnormal) {
  std::mt19937_64 rng(5);
  Comparison c;
  for (long i = 0; i < Count(250'000); ++i) {
    const float x = AnyPositive(rng);
    if (x == 1.0f) continue;
    c.Check(x, ExponentFor(rng, x, 126.0, 128.5));
    c.Check(x, ExponentFor(rng, x, -151.5, -125.0));
  }
  // just around the largest float and half the least subnormal
  for (float x : {2.0f, 3.0f, 0.5f, 1.5f, 0.75f, 7.0f}) {
    for (double t : {128.0, -150.0, -149.0, -126.0}) {
      const float y0 = static_cast<float>(t / std::log2(static_cast<double>(x)));
      const std::uint32_t b = std::bit_cast<std::uint32_t>(y0);
      for (std::uint32_t k = b - 200; k < b + 200; ++k) {
        c.Check(x, std::bit_cast<float>(k));
      }
    }
  }
  c.Expect("near overflow and underflow");
}

TEST(PowFMpfr, ExactResultsAndMidpoints) {
  Comparison c;
  // x = w^(2^q) 2^e and y = n / 2^q: x^y = w^n 2^(e n / 2^q), a float, a
  // midpoint between two floats, or a dyadic number of more bits
  for (int q = 0; q <= 3; ++q) {
    const int root = 1 << q;
    // sanitized runs take every kScale-th large w
    for (std::uint64_t w = 2; w <= 4200; w += (w < 100 ? 1 : power_test::kScale)) {
      double base = 1.0;
      for (int i = 0; i < root; ++i) base *= static_cast<double>(w);
      if (base >= 0x1p24) break;
      for (int n = -6 * root; n <= 40 * root; ++n) {
        if (n == 0) continue;
        const float y = static_cast<float>(n) / static_cast<float>(root);
        for (int e : {0, root, -root, 3 * root, -7 * root, 1}) {
          const float x = std::ldexp(static_cast<float>(base), e);
          if (w > 70 && e != 0) continue;
          c.Check(x, y);
        }
      }
    }
  }
  // squares of 13-bit odd integers are odd 25-bit numbers: midpoints
  for (int m = 4097; m < 5793; m += 2) {
    c.Check(static_cast<float>(m), 2.0f);
    c.Check(std::ldexp(static_cast<float>(m), -80), 2.0f);
    c.Check(std::ldexp(static_cast<float>(m), 50), 2.0f);
  }
  // cubes of odd s in [257, 322] are midpoints too, as (s^2)^1.5
  for (int s = 257; s <= 322; s += 2) {
    c.Check(static_cast<float>(s * s), 1.5f);
    c.Check(static_cast<float>(s), 3.0f);
  }
  // powers of two: exact, a midpoint (2^-150) or irrational
  for (int e = -149; e <= 127; ++e) {
    const float x = std::ldexp(1.0f, e);
    for (int k = -300; k <= 300; k += static_cast<int>(power_test::kScale)) {
      c.Check(x, static_cast<float>(k) / 4.0f);
      if (e != 0) c.Check(x, static_cast<float>(k) / static_cast<float>(e));
    }
  }
  // subnormal midpoints: odd m 2^-75 squared is m^2 2^-150
  for (int m = 1; m < 4096; m += 2) c.Check(std::ldexp(static_cast<float>(m), -75), 2.0f);
  c.Expect("exact results and midpoints");
}

TEST(PowFMpfr, NegativeBases) {
  std::mt19937_64 rng(6);
  std::uniform_int_distribution<int> small(-40, 40);
  std::uniform_int_distribution<std::uint32_t> big(0x4b000000u, 0x4f000000u);
  Comparison c;
  for (long i = 0; i < Count(100'000); ++i) {
    const float x = -AnyPositive(rng);
    c.Check(x, static_cast<float>(small(rng)));
    c.Check(x, std::bit_cast<float>(big(rng)));  // large integers, even
    c.Check(x, ExponentFor(rng, -x, -10.0, 10.0));  // not integers: NaN
    c.Check(-LogUniform(rng, 0.5, 2.0), static_cast<float>(small(rng)));
  }
  c.Expect("negative bases");
}

TEST(PowFMpfr, SpecialValues) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float tiny = std::numeric_limits<float>::denorm_min();
  const float big = std::numeric_limits<float>::max();
  const std::vector<float> values = {
      0.0f, 1.0f, 0.5f, 2.0f, 3.0f, 1.5f, kTwoThirds, kFourThirds, 0x1p-126f,
      tiny, big, inf, nan, 0x1p24f, 0x1p24f - 1.0f, 0x1p23f + 1.0f, 0x1p31f,
      1.0f - 0x1p-24f, 1.0f + 0x1p-23f, 0x1.fffffep23f};
  Comparison c;
  for (float a : values) {
    for (float b : values) {
      c.Check(a, b);
      c.Check(-a, b);
      c.Check(a, -b);
      c.Check(-a, -b);
    }
  }
  c.Expect("special values");
  // the conventions that override NaN
  EXPECT_EQ(PowF(nan, 0.0f), 1.0f);
  EXPECT_EQ(PowF(nan, -0.0f), 1.0f);
  EXPECT_EQ(PowF(1.0f, nan), 1.0f);
  EXPECT_EQ(PowF(-1.0f, inf), 1.0f);
  EXPECT_TRUE(std::isnan(PowF(-8.0f, 1.0f / 3.0f)));
  EXPECT_TRUE(std::signbit(PowF(-0.0f, 3.0f)));
  EXPECT_EQ(PowF(-0.0f, -3.0f), -inf);
  EXPECT_EQ(PowF(-0.0f, -2.0f), inf);
}

}  // namespace
}  // namespace floodwave
