// The foundations of PowF's correct rounding, checked against MPFR: every
// table entry and constant is the nearest double (or double-double) to its
// exact value; the fast and the accurate approximations stay within the
// error bounds their rounding tests rely on; the accurate path settles
// every case that reaches it except the exact ones, which the exact check
// settles; and the slow path is rare.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <utility>

#include "hydraulics/power.h"
#include "hydraulics/power_fast.h"
#include "hydraulics/power_mpfr_reference.h"
#include "hydraulics/power_slow.h"
#include "hydraulics/power_tables.h"

namespace floodwave {
namespace {

using namespace power_detail;  // NOLINT: the internals under test
using power_test::AnyPositive;
using power_test::Count;
using power_test::ExponentFor;
using power_test::kFourThirds;
using power_test::kTwoThirds;
using power_test::LogUniform;
using power_test::ReferencePow;
using power_test::RelativeError;

// ---- tables ------------------------------------------------------------------

// A high-precision value and its nearest double-double.
class Exact {
 public:
  Exact() { mpfr_init2(v_, 400); }
  ~Exact() { mpfr_clear(v_); }
  Exact(const Exact&) = delete;
  Exact& operator=(const Exact&) = delete;
  mpfr_ptr get() { return v_; }

  double Hi() { return mpfr_get_d(v_, MPFR_RNDN); }
  double Lo() {
    mpfr_t rest;
    mpfr_init2(rest, 400);
    mpfr_sub_d(rest, v_, Hi(), MPFR_RNDN);
    const double lo = mpfr_get_d(rest, MPFR_RNDN);
    mpfr_clear(rest);
    return lo;
  }

 private:
  mpfr_t v_;
};

TEST(PowFTables, LogTableEntries) {
  for (std::uint32_t i = 0; i < kLogTable.size(); ++i) {
    const LogEntry& e = kLogTable[i];
    // at most 29 significant bits, so that z * invc is exact
    const double scaled = e.invc * 0x1p28;
    EXPECT_EQ(scaled, std::floor(scaled)) << i;
    // r = z * invc - 1 stays below 2^-8 in magnitude over the subinterval
    const std::uint32_t first = kLogOffset + (i << 16);
    const std::uint32_t last = first + (1u << 16) - 1;
    for (std::uint32_t b : {first, last}) {
      const double z = static_cast<double>(std::bit_cast<float>(b));
      EXPECT_LT(std::fabs(z * e.invc - 1.0), kLogReducedMax) << i;
    }
    Exact lc;
    mpfr_set_d(lc.get(), e.invc, MPFR_RNDN);
    mpfr_log2(lc.get(), lc.get(), MPFR_RNDN);
    mpfr_neg(lc.get(), lc.get(), MPFR_RNDN);
    EXPECT_EQ(e.log2c_hi, lc.Hi()) << i;
    EXPECT_EQ(e.log2c_lo, lc.Lo()) << i;
  }
  // the subinterval of 1 is not reduced, so log2 x keeps its relative
  // accuracy next to 1
  const std::uint32_t one = (std::bit_cast<std::uint32_t>(1.0f) - kLogOffset) >> 16;
  EXPECT_EQ(kLogTable[one].invc, 1.0);
  EXPECT_EQ(kLogTable[one].log2c_hi, 0.0);
}

TEST(PowFTables, ExpTableAndConstants) {
  for (std::size_t j = 0; j < kExp2Table.size(); ++j) {
    Exact v;
    mpfr_set_ui(v.get(), static_cast<unsigned long>(j), MPFR_RNDN);
    mpfr_div_ui(v.get(), v.get(), 64, MPFR_RNDN);
    mpfr_exp2(v.get(), v.get(), MPFR_RNDN);
    EXPECT_EQ(kExp2Table[j].hi, v.Hi()) << j;
    EXPECT_EQ(kExp2Table[j].lo, v.Lo()) << j;
  }
  Exact ln2;
  mpfr_const_log2(ln2.get(), MPFR_RNDN);
  EXPECT_EQ(kLn2.hi, ln2.Hi());
  EXPECT_EQ(kLn2.lo, ln2.Lo());
  Exact inv;
  mpfr_ui_div(inv.get(), 1, ln2.get(), MPFR_RNDN);
  EXPECT_EQ(kInvLn2.hi, inv.Hi());
  EXPECT_EQ(kInvLn2.lo, inv.Lo());
  for (std::size_t k = 1; k <= kLnSeries.size(); ++k) {
    Exact c;  // (-1)^(k+1) / k
    mpfr_set_si(c.get(), k % 2 == 1 ? 1 : -1, MPFR_RNDN);
    mpfr_div_ui(c.get(), c.get(), static_cast<unsigned long>(k), MPFR_RNDN);
    EXPECT_EQ(kLnSeries[k - 1].hi, c.Hi()) << k;
    EXPECT_EQ(kLnSeries[k - 1].lo, c.Lo()) << k;
    if (k <= kLog2Poly.size()) {  // (-1)^(k+1) / (k ln 2)
      mpfr_div(c.get(), c.get(), ln2.get(), MPFR_RNDN);
      EXPECT_EQ(kLog2Poly[k - 1], c.Hi()) << k;
    }
  }
  for (const auto& [tables, ybits] :
       {std::pair{&kTwoThirdsTables, kTwoThirdsBits},
        std::pair{&kFourThirdsTables, kFourThirdsBits}}) {
    const double y = static_cast<double>(std::bit_cast<float>(ybits));
    for (std::size_t k = 0; k < tables->two_ky.size(); ++k) {
      Exact c;  // 2^((k - 150) y)
      mpfr_set_si(c.get(), static_cast<long>(k) - 150, MPFR_RNDN);
      mpfr_mul_d(c.get(), c.get(), y, MPFR_RNDN);
      mpfr_exp2(c.get(), c.get(), MPFR_RNDN);
      EXPECT_EQ(tables->two_ky[k], c.Hi()) << k;
    }
    for (std::size_t i = 0; i < tables->c_y.size(); ++i) {
      Exact c;  // (1 / invc)^y
      Exact ey;
      mpfr_set_d(ey.get(), y, MPFR_RNDN);
      mpfr_set_d(c.get(), kLogTable[i].invc, MPFR_RNDN);
      mpfr_ui_div(c.get(), 1, c.get(), MPFR_RNDN);
      mpfr_pow(c.get(), c.get(), ey.get(), MPFR_RNDN);
      EXPECT_EQ(tables->c_y[i], c.Hi()) << i;
    }
    Exact c;  // C(y, j) = C(y, j-1) (y - j + 1) / j
    mpfr_set_ui(c.get(), 1, MPFR_RNDN);
    for (std::size_t j = 1; j <= tables->binomial.size(); ++j) {
      Exact factor;
      mpfr_set_d(factor.get(), y, MPFR_RNDN);
      mpfr_sub_ui(factor.get(), factor.get(), static_cast<unsigned long>(j - 1), MPFR_RNDN);
      mpfr_mul(c.get(), c.get(), factor.get(), MPFR_RNDN);
      mpfr_div_ui(c.get(), c.get(), static_cast<unsigned long>(j), MPFR_RNDN);
      EXPECT_EQ(tables->binomial[j - 1], c.Hi()) << j;
    }
  }
  Exact factorial;
  mpfr_set_ui(factorial.get(), 1, MPFR_RNDN);
  Exact power;  // (ln 2)^k
  mpfr_set_ui(power.get(), 1, MPFR_RNDN);
  for (std::size_t k = 0; k < kExpSeries.size(); ++k) {
    if (k > 0) {
      mpfr_mul_ui(factorial.get(), factorial.get(), static_cast<unsigned long>(k), MPFR_RNDN);
      mpfr_mul(power.get(), power.get(), ln2.get(), MPFR_RNDN);
    }
    Exact c;
    mpfr_ui_div(c.get(), 1, factorial.get(), MPFR_RNDN);
    EXPECT_EQ(kExpSeries[k].hi, c.Hi()) << k;
    EXPECT_EQ(kExpSeries[k].lo, c.Lo()) << k;
    if (k >= 1 && k <= kExp2Poly.size()) {
      mpfr_mul(c.get(), c.get(), power.get(), MPFR_RNDN);
      EXPECT_EQ(kExp2Poly[k - 1], c.Hi()) << k;
    }
  }
}

// ---- error bounds --------------------------------------------------------------

// The bits FastApprox and AccurateApprox expect for a positive float.
std::uint32_t ReducedBits(float x) {
  const std::uint32_t ix = std::bit_cast<std::uint32_t>(x);
  if (ix >= 0x00800000u) return ix;
  return std::bit_cast<std::uint32_t>(x * 0x1p23f) - (23u << 23);
}

// Operands whose results spread over the whole float range, the worst case
// for the bounds being |y log2 x| near 151; bases near 1 and subnormal
// bases included.
struct Operands {
  float x;
  float y;
};

Operands Draw(std::mt19937_64& rng, long i) {
  float x = AnyPositive(rng);
  if (i % 4 == 1) x = LogUniform(rng, 0.999, 1.001);
  if (x == 1.0f) x = 3.0f;
  return {x, ExponentFor(rng, x, -150.9, 128.9)};
}

TEST(PowFBounds, FastApproximationWithinItsBound) {
  std::mt19937_64 rng(11);
  double worst = 0;
  for (long i = 0; i < Count(400'000); ++i) {
    const Operands o = Draw(rng, i);
    const double v = FastApprox(ReducedBits(o.x), o.y);
    if (v == 0x1p200 || v == 0x1p-200) continue;
    worst = std::fmax(worst, RelativeError(o.x, o.y, v, 0.0));
  }
  std::printf("fast path: largest relative error 2^%.2f (bound 2^-41.9)\n",
              std::log2(worst));
  EXPECT_LT(worst, 0x1.1p-42);  // 2^-41.9
}

TEST(PowFBounds, FixedExponentApproximationWithinItsBound) {
  std::mt19937_64 rng(15);
  double worst = 0;
  for (long i = 0; i < Count(400'000); ++i) {
    const float x = (i % 2) != 0 ? AnyPositive(rng) : LogUniform(rng, 0.01, 100.0);
    const bool four = (i % 4) < 2;
    const double v = FastApproxFixed(ReducedBits(x), four ? kFourThirdsTables : kTwoThirdsTables);
    worst = std::fmax(worst, RelativeError(x, four ? kFourThirds : kTwoThirds, v, 0.0));
  }
  std::printf("2/3 and 4/3 path: largest relative error 2^%.2f (bound 2^-50.5)\n",
              std::log2(worst));
  EXPECT_LT(worst, 0x1.6p-51);  // 2^-50.5
}

TEST(PowFBounds, AccurateApproximationWithinItsBound) {
  std::mt19937_64 rng(12);
  double worst = 0;
  for (long i = 0; i < Count(200'000); ++i) {
    const Operands o = Draw(rng, i);
    const DoubleDouble v = AccurateApprox(ReducedBits(o.x), o.y);
    if (v.hi == 0x1p200 || v.hi == 0x1p-200) continue;
    worst = std::fmax(worst, RelativeError(o.x, o.y, v.hi, v.lo));
  }
  std::printf("accurate path: largest relative error 2^%.2f (bound 2^-91.6)\n",
              std::log2(worst));
  EXPECT_LT(worst, 0x1.4p-92);  // 2^-91.6
}

// ---- the slow path ---------------------------------------------------------------

TEST(PowFSlowPath, RareOnTheProgramsOperands) {
  std::mt19937_64 rng(13);
  long slow = 0;
  const long n = Count(4'000'000);
  for (long i = 0; i < n; ++i) {
    const float R = LogUniform(rng, 0.1, 10.0);
    float result;
    if (!FastPowAny(ReducedBits(R), (i % 2) != 0 ? kTwoThirds : kFourThirds, result)) {
      ++slow;
    }
  }
  std::printf("slow path taken %ld times in %ld (hydraulic radii 0.1..10)\n",
              slow, n);
  EXPECT_LT(static_cast<double>(slow), 1e-4 * static_cast<double>(n));
}

// Every operand the fast path declines goes to the exact check or the
// accurate path; the accurate path must settle all that the exact check
// does not, and both must agree with MPFR. Random operands are declined
// about once in 10^5, so most operands here are built to land within 2^-40
// of a midpoint between two floats near 1: y = log2(M) / log2(x) for a
// midpoint M, whose rounding to float moves x^y by at most 2^-24 |log2 M|.
TEST(PowFSlowPath, SettlesEveryDeclinedCase) {
  std::mt19937_64 rng(14);
  std::uniform_int_distribution<int> odd(-40, 40);
  long declined = 0;
  long exact = 0;
  long tried = 0;
  auto settle = [&](float x, float y) {
    ++tried;
    const std::uint32_t ix = ReducedBits(x);
    float fast;
    if (FastPowAny(ix, y, fast)) return;
    ++declined;
    const float want = ReferencePow(x, y);
    float got;
    if (ExactPow(x, y, got)) {
      ++exact;
    } else {
      ASSERT_TRUE(AccuratePow(ix, y, got)) << std::hexfloat << x << "^" << y;
    }
    ASSERT_EQ(std::bit_cast<std::uint32_t>(got), std::bit_cast<std::uint32_t>(want))
        << std::hexfloat << x << "^" << y;
  };
  for (long i = 0; i < Count(2'000'000); ++i) {
    const Operands o = Draw(rng, i);
    settle(o.x, o.y);
    settle(LogUniform(rng, 0.01, 100.0), (i % 2) != 0 ? kTwoThirds : kFourThirds);
  }
  for (long i = 0; i < Count(100'000); ++i) {
    const float x = AnyPositive(rng);
    if (x == 1.0f) continue;
    const int k = 2 * odd(rng) + 1;
    const double M = k > 0 ? 1.0 + k * 0x1p-24 : 1.0 + k * 0x1p-25;
    settle(x, static_cast<float>(std::log2(M) / std::log2(static_cast<double>(x))));
  }
  // integer powers of 24-bit bases: exact results of more than 53 bits
  for (long i = 0; i < Count(200'000); ++i) {
    settle(LogUniform(rng, 1.0, 2.0), static_cast<float>(3 + i % 3));
  }
  std::printf("fast path declined %ld of %ld operands (%ld exact)\n",
              declined, tried, exact);
  EXPECT_GT(declined, Count(50'000));
}

// Exact results reach the exact check (the approximations can never round
// an exact midpoint), and the check finds only true dyadic results.
TEST(PowFSlowPath, ExactCheck) {
  struct Case {
    float x;
    float y;
    bool exact;
  };
  const Case cases[] = {
      {4097.0f, 2.0f, true},       // 16785409, a midpoint
      {4099.0f, 2.0f, true},       // 16801801, a midpoint
      {66049.0f, 1.5f, true},      // 257^3, a midpoint
      {0x1p-75f, 2.0f, true},      // 2^-150, halfway between 0 and 2^-149
      {0x1.8p-75f, 2.0f, true},    // 9 2^-152
      {3.0f * 0x1p-75f, 2.0f, true},  // 9 2^-150, a subnormal midpoint
      {16.0f, 0.25f, true},
      {81.0f, 0.75f, true},
      {0x1p-100f, 1.5f, true},     // 2^-150 again
      {8.0f, 1.0f / 3.0f, false},  // the float 1/3 is not 1/3: irrational
      {3.0f, -2.0f, false},        // 1/9 is not dyadic
      {2.0f, 0.5f, false},         // sqrt 2
      {3.0f, 40.0f, false},        // 3^40 > 2^53: left to the accurate path
  };
  for (const Case& c : cases) {
    float got = -1.0f;
    const bool exact = ExactPow(c.x, c.y, got);
    EXPECT_EQ(exact, c.exact) << c.x << "^" << c.y;
    if (exact) {
      EXPECT_EQ(std::bit_cast<std::uint32_t>(got),
                std::bit_cast<std::uint32_t>(ReferencePow(c.x, c.y)))
          << c.x << "^" << c.y;
    }
  }
}

}  // namespace
}  // namespace floodwave
