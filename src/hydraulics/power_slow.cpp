// Exact results and the accurate path of the single-precision power.
//
// Accurate path error budget (u = 2^-53, w = 8u^2 = 2^-103 per
// double-double operation, see power_dd.h):
//  - ln(1 + r) by Horner's scheme on the Taylor series of degree 13:
//    truncation |r|^13 / 14 < 2^-107 relative; the coefficients are exact to
//    2^-106; inner rounding errors are damped by |r| < 2^-8, so about 3w.
//  - times r, times 1/ln 2: 2w more, about 5.2w.
//  - L = (k + log2c) + log2(1 + r): two additions and the table entry, with
//    the same cancellation factor 3.1 as the fast path: below 23w.
//  - t = y L: below 24w relative, so below 24w * 151.1 < 2^-91.2 absolute,
//    that is below ln 2 * 2^-91.2 < 2^-91.7 relative on 2^t.
//  - 2^t = 2^(j/64) e^(f ln 2), f exact: the series of degree 10 for
//    |g| <= ln 2 / 128 truncates below 2^-108; the series, the table entry and
//    the products add below 6w.
// Together below 2^-91.6; the rounding test uses 2^-88.

#include "hydraulics/power_slow.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "hydraulics/power_dd.h"
#include "hydraulics/power_fast.h"

namespace floodwave::power_detail {
namespace {

constexpr double kAccurateRelErr = 0x1p-88;

// 2^e as a double, for -1022 <= e <= 1023.
double PowerOfTwo(std::int32_t e) {
  return std::bit_cast<double>(static_cast<std::uint64_t>(e + 1023) << 52);
}

// True when d is an integer (d finite).
bool IsInteger(double d) { return std::floor(d) == d; }

// The integer s with s * s == v, or 0 when v is not a perfect square.
std::uint64_t ExactSqrt(std::uint64_t v) {
  const auto s = static_cast<std::uint64_t>(std::sqrt(static_cast<double>(v)));
  return s * s == v ? s : 0;
}

// The float nearest to vh + vl (|vl| <= ulp(vh) / 2, vh > 0), known to lie
// within a relative kAccurateRelErr of the exact value. Unless vh is itself
// exactly halfway between two floats, the float nearest to vh is the answer:
// every other double is at least ulp/2 = 2^-54 relative away from a
// midpoint, far more than the error. When vh is a midpoint, vl decides.
bool RoundAccurate(double vh, double vl, float& result) {
  const float f = static_cast<float>(vh);
  result = f;
  if (static_cast<double>(f) == vh) return true;
  float lower;
  float upper;
  double mid;
  if (f == std::numeric_limits<float>::infinity()) {
    lower = std::numeric_limits<float>::max();
    upper = f;
    mid = 0x1.ffffffp127;
  } else {
    const std::uint32_t fb = std::bit_cast<std::uint32_t>(f);
    const float g = std::bit_cast<float>(vh > static_cast<double>(f) ? fb + 1
                                                                     : fb - 1);
    lower = f < g ? f : g;
    upper = f < g ? g : f;
    mid = (static_cast<double>(lower) + static_cast<double>(upper)) / 2;
  }
  if (vh != mid) return true;
  const double margin = vh * kAccurateRelErr;
  if (vl > margin) {
    result = upper;
    return true;
  }
  if (vl < -margin) {
    result = lower;
    return true;
  }
  return false;
}

}  // namespace

// x^y is a dyadic number only when x = mx 2^ex (mx odd) has mx a perfect
// 2^q-th power for y = n / 2^q (n odd), y > 0, and ex y an integer, or when
// x is a power of two and ex y an integer. With mx >= 3, an mx that is a
// perfect 2^q-th power below 2^24 needs q <= 3; and mx^y must stay below
// 2^53 to be a double at all.
bool ExactPow(float ax, float y, float& result) {
  const std::uint32_t bits = std::bit_cast<std::uint32_t>(ax);
  const std::uint32_t biased = bits >> 23;
  std::uint32_t mant = bits & 0x7fffffu;
  std::int32_t ex = -149;
  if (biased != 0) {
    mant |= 0x800000u;
    ex = static_cast<std::int32_t>(biased) - 150;
  }
  const int tz = std::countr_zero(mant);
  const std::uint64_t mx = mant >> tz;
  ex += tz;
  const double yd = static_cast<double>(y);

  if (mx == 1) {
    const double ey = static_cast<double>(ex) * yd;  // exact
    if (!IsInteger(ey) || !(ey > -1000.0 && ey < 1000.0)) return false;
    result = static_cast<float>(PowerOfTwo(static_cast<std::int32_t>(ey)));
    return true;
  }
  // mx >= 3: mx^y <= 2^53 needs y < 34
  if (!(yd > 0.0 && yd < 34.0)) return false;
  const double y8 = yd * 8.0;
  if (!IsInteger(y8)) return false;
  auto n = static_cast<std::int32_t>(y8);
  std::int32_t q = 3;
  while (q > 0 && n % 2 == 0) {
    n /= 2;
    --q;
  }
  std::uint64_t w = mx;
  for (std::int32_t i = 0; i < q; ++i) {
    w = ExactSqrt(w);
    if (w == 0) return false;
  }
  const std::int32_t exn = ex * n;
  if (exn % (1 << q) != 0) return false;
  const std::int32_t e = exn / (1 << q);
  std::uint64_t odd = 1;
  for (std::int32_t i = 0; i < n; ++i) {
    odd *= w;
    if (odd > (std::uint64_t{1} << 53)) return false;
  }
  // The fast path saw y log2 x within (-151, 129), so e stays far inside the
  // range of PowerOfTwo.
  if (!(e > -1000 && e < 1000)) return false;
  result = static_cast<float>(static_cast<double>(odd) * PowerOfTwo(e));
  return true;
}

DoubleDouble AccurateApprox(std::uint32_t ix, float y) {
  const LogReduction red = ReduceLog(ix);
  const double r = red.r;
  DoubleDouble s = kLnSeries[12];
  for (int i = 11; i >= 0; --i) {
    s = Add(kLnSeries[static_cast<std::size_t>(i)], Mul(s, r));
  }
  const DoubleDouble ln1pr = Mul(s, r);
  const DoubleDouble log2_1pr = Mul(ln1pr, kInvLn2);
  const DoubleDouble kc =
      Add(DoubleDouble{static_cast<double>(red.k), 0.0},
          DoubleDouble{red.entry->log2c_hi, red.entry->log2c_lo});
  const DoubleDouble L = Add(kc, log2_1pr);
  const DoubleDouble t = Mul(L, static_cast<double>(y));
  if (!(t.hi < kOverflowLog2)) return {0x1p200, 0.0};
  if (!(t.hi > kUnderflowLog2)) return {0x1p-200, 0.0};

  const ExpReduction er = ReduceExp(t.hi);
  const DoubleDouble f = TwoSum(er.f, t.lo);
  const DoubleDouble g = Mul(f, kLn2);
  DoubleDouble e = kExpSeries[10];
  for (int i = 9; i >= 0; --i) {
    e = Add(kExpSeries[static_cast<std::size_t>(i)], Mul(e, g));
  }
  const DoubleDouble v =
      Mul(kExp2Table[er.ki % (1u << kExpTableBits)], e);
  // j div 64, from the same bits as the fast path's scaling
  const auto jdiv = static_cast<std::int32_t>(
      static_cast<std::int64_t>(ExpScaleBits(er.ki)) >> 52);
  const double scale = PowerOfTwo(jdiv);
  return {v.hi * scale, v.lo * scale};
}

bool AccuratePow(std::uint32_t ix, float y, float& result) {
  const DoubleDouble v = AccurateApprox(ix, y);
  return RoundAccurate(v.hi, v.lo, result);
}

float SlowPow(float ax, std::uint32_t ix, float y) {
  float result;
  if (ExactPow(ax, y, result)) return result;
  AccuratePow(ix, y, result);
  return result;
}

}  // namespace floodwave::power_detail
