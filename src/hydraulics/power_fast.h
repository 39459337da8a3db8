// The fast paths of the single-precision power: x^y = 2^(y log2 x) in plain
// double arithmetic for any y, and a table-driven form for the program's
// exponents 2/3 and 4/3, each with a proven bound on its relative error,
// and the test that tells whether that bound is enough to round to the
// nearest float.
//
// Error bound (u = 2^-53; every operation rounds to nearest):
//  - log2 x = k + log2c + log2(1 + r), with k, r and the reduction exact
//    (see power_tables.h).
//  - p ~ log2(1 + r): the Taylor polynomial of degree 7 leaves a relative
//    error below |r|^7 / 8 / (1 - |r|)^2 < 2^-58.9 for |r| < 2^-8; the
//    rounded coefficients and Horner's scheme add at most 3.1u, because
//    every inner term is at most 2^-7 of the one it is added to. So p has a
//    relative error eta <= 3.2u.
//  - L = fl(fl(k + log2c_hi) + p): the table entry (u |log2c|), the two
//    additions and eta give |L - log2 x| <= (2u + eta) (|k| + |log2c| + |log2(1+r)|)
//    + u |L|. Over every subinterval and every k from -152 to 129 the sum
//    |k| + |log2c| + |log2(1+r)| is at most 3.1 |log2 x| (the reduction keeps
//    log2c and k from cancelling), so L has a relative error below 17.2u.
//  - t = fl(y * L) then has |t - y log2 x| <= 18.3u |t|. Only t in
//    (-151, 129) reaches the exponential, so the absolute error of t is
//    below 18.3u * 151.1 < 2^-41.5, which is a relative error below
//    ln 2 * 2^-41.5 < 2^-42 of 2^t.
//  - 2^t = 2^(j/64) * 2^f with j an integer and f = t - j/64 exact,
//    |f| <= 2^-7. The table entry costs u, the Taylor polynomial of degree 5
//    of 2^f at most 0.3u of truncation and 1.1u of rounding, the final
//    product u, and the scaling by 2^(j div 64) nothing: at most 3.5u.
// Together the result v is within a relative 2^-42 + 3.5u < 2^-41.9 of the
// exact x^y. The rounding test widens this to 2^-41, which also covers the
// rounding of v -/+ v 2^-41; when both ends round to the same float, so does
// x^y, since rounding is monotonic.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#include "hydraulics/power_tables.h"

namespace floodwave::power_detail {

inline constexpr double kFastRelErr = 0x1p-41;

// Beyond these values of y log2 x the result is certainly an overflow to
// infinity (x^y > 2^128.9) or certainly rounds to zero (x^y < 2^-150.9,
// below half the least subnormal).
inline constexpr double kOverflowLog2 = 129.0;
inline constexpr double kUnderflowLog2 = -151.0;

// Adding this rounds a double of magnitude below 2^44 to a multiple of
// 1/64, leaving that multiple in the low bits of the sum.
inline constexpr double kExpShift = 0x1.8p52 / 64;

struct LogReduction {
  std::int32_t k;      // exponent: x = 2^k * z
  double r;            // z * invc - 1, exact
  const LogEntry* entry;
};

// ix: the bits of a positive finite x, or for a subnormal x the bits of
// x * 2^23 less 23 in the exponent field (as wrapped unsigned arithmetic).
[[gnu::always_inline]] inline LogReduction ReduceLog(std::uint32_t ix) {
  const std::uint32_t tmp = ix - kLogOffset;
  const std::uint32_t i =
      (tmp >> (23 - kLogTableBits)) % (1u << kLogTableBits);
  const std::int32_t k = static_cast<std::int32_t>(tmp) >> 23;
  const std::uint32_t iz = ix - (tmp & 0xff800000u);
  const LogEntry& entry = kLogTable[i];
  const double z = static_cast<double>(std::bit_cast<float>(iz));
  return {k, z * entry.invc - 1.0, &entry};
}

// t = j/64 + f with j the integer nearest to 64 t (|t| < 2^44). f is exact:
// t and j/64 are multiples of ulp(t) and |f| <= min(|t|, 1/128).
struct ExpReduction {
  double f;
  std::uint64_t ki;  // j in the low bits, as left by kExpShift
};

inline ExpReduction ReduceExp(double t) {
  double kd = t + kExpShift;
  const std::uint64_t ki = std::bit_cast<std::uint64_t>(kd);
  kd -= kExpShift;
  return {t - kd, ki};
}

// 2^(j div 64) as a term to add to the bits of a double in [1, 2): bits 6
// and up of ki hold j div 64 (two's complement, modulo 2^12, enough for
// |j div 64| <= 152).
inline std::uint64_t ExpScaleBits(std::uint64_t ki) {
  return (ki >> kExpTableBits) << 52;
}

// The approximation v of x^y, within a relative 2^-41.9. Outside the range
// of float results it returns 2^200 (overflow) or 2^-200 (rounds to zero),
// which the rounding test below turns into infinity or zero.
[[gnu::always_inline]] inline double FastApprox(std::uint32_t ix, float y) {
  const LogReduction red = ReduceLog(ix);
  const double r = red.r;
  const auto& c = kLog2Poly;
  double q = c[6];
  q = c[5] + r * q;
  q = c[4] + r * q;
  q = c[3] + r * q;
  q = c[2] + r * q;
  q = c[1] + r * q;
  q = c[0] + r * q;
  const double p = r * q;
  const double s = static_cast<double>(red.k) + red.entry->log2c_hi;
  const double L = s + p;
  const double t = static_cast<double>(y) * L;
  if (!(t < kOverflowLog2)) return 0x1p200;
  if (!(t > kUnderflowLog2)) return 0x1p-200;

  const ExpReduction er = ReduceExp(t);
  const double f = er.f;
  const std::uint64_t sbits =
      std::bit_cast<std::uint64_t>(
          kExp2Table[er.ki % (1u << kExpTableBits)].hi) +
      ExpScaleBits(er.ki);
  const double scale = std::bit_cast<double>(sbits);
  const auto& a = kExp2Poly;
  double w = a[4];
  w = a[3] + f * w;
  w = a[2] + f * w;
  w = a[1] + f * w;
  w = a[0] + f * w;
  const double e = 1.0 + f * w;
  return scale * e;
}

// ---- the exponents 2/3 and 4/3 --------------------------------------------------
// x^y = 2^(k y) (1/invc)^y (1 + r)^y from per-exponent tables (see
// power_tables.h). Error bound (u = 2^-53): the two table entries u each;
// the binomial series of degree 5 truncates below |C(y,6)| |r|^6 / (1 - |r|)
// < 0.014 * 2^-48 < 0.5u, and its evaluation, 1 plus a term below 2^-7.5,
// rounds within 1.1u; the two products u each. The result is within 5.6u
// < 2^-50.5 of x^y; the rounding test uses 2^-47.
inline constexpr std::uint32_t kTwoThirdsBits = 0x3F2AAAABu;
inline constexpr std::uint32_t kFourThirdsBits = 0x3FAAAAABu;
inline constexpr double kFixedRelErr = 0x1p-47;

// ix as for FastApprox; tables for the exponent y.
[[gnu::always_inline]] inline double FastApproxFixed(
    std::uint32_t ix, const FixedExponentTables& tables) {
  const LogReduction red = ReduceLog(ix);
  const double r = red.r;
  const auto& b = tables.binomial;
  const double r2 = r * r;
  const double b12 = b[0] + b[1] * r;
  const double b34 = b[2] + b[3] * r;
  const double b35 = b34 + b[4] * r2;
  const double P = 1.0 + r * (b12 + r2 * b35);
  const auto i = static_cast<std::size_t>(red.entry - kLogTable.data());
  // k lies in -149..128 for every positive finite float
  const auto k = static_cast<std::size_t>(red.k + 150);
  return (tables.two_ky[k] * tables.c_y[i]) * P;
}

// Rounds v when a relative error of rel_err cannot change its nearest float.
[[gnu::always_inline]] inline bool RoundFast(double v, double rel_err,
                                             float& result) {
  const double d = v * rel_err;
  const float below = static_cast<float>(v - d);
  const float above = static_cast<float>(v + d);
  result = below;
  return below == above;
}

// Sets result to the magnitude of x^y and returns true when the fast
// approximation rounds unambiguously; returns false otherwise.
[[gnu::always_inline]] inline bool FastPowAny(std::uint32_t ix, float y,
                                              float& result) {
  const std::uint32_t iy = std::bit_cast<std::uint32_t>(y);
  if (iy == kTwoThirdsBits) {
    return RoundFast(FastApproxFixed(ix, kTwoThirdsTables), kFixedRelErr,
                     result);
  }
  if (iy == kFourThirdsBits) {
    return RoundFast(FastApproxFixed(ix, kFourThirdsTables), kFixedRelErr,
                     result);
  }
  return RoundFast(FastApprox(ix, y), kFastRelErr, result);
}

}  // namespace floodwave::power_detail
