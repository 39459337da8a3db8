// Double-double arithmetic for the accurate path of the single-precision
// power: a value is the unevaluated sum hi + lo of two doubles. Built from
// the exact two-sum (Knuth) and the exact two-product (Dekker, with
// Veltkamp's split, since fused multiply-adds are not used). With
// u = 2^-53, Add has a relative error below 3u^2 + 13u^3 whatever the signs,
// and the two products below 7u^2 (Joldes, Muller and Popescu, ACM TOMS 44,
// 2017); the error budget of the accurate path counts 8u^2 = 2^-103 for
// every one of them.
#pragma once

#include "hydraulics/power_tables.h"

namespace floodwave::power_detail {

// s + e = a + b exactly, whatever the magnitudes.
inline DoubleDouble TwoSum(double a, double b) {
  const double s = a + b;
  const double bv = s - a;
  const double av = s - bv;
  const double e = (a - av) + (b - bv);
  return {s, e};
}

// s + e = a + b exactly, given |a| >= |b| or a == 0.
inline DoubleDouble FastTwoSum(double a, double b) {
  const double s = a + b;
  const double e = b - (s - a);
  return {s, e};
}

// hi + lo = a, each half with at most 26 significant bits. Valid for
// |a| < 2^995, far beyond any value met here.
inline DoubleDouble Split(double a) {
  const double c = 134217729.0 * a;  // 2^27 + 1
  const double hi = c - (c - a);
  return {hi, a - hi};
}

// p + e = a * b exactly (no underflow in the values used here).
inline DoubleDouble TwoProd(double a, double b) {
  const double p = a * b;
  const DoubleDouble as = Split(a);
  const DoubleDouble bs = Split(b);
  const double e = ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) +
                   as.lo * bs.lo;
  return {p, e};
}

inline DoubleDouble Add(DoubleDouble a, DoubleDouble b) {
  const DoubleDouble s = TwoSum(a.hi, b.hi);
  const DoubleDouble t = TwoSum(a.lo, b.lo);
  const DoubleDouble u = FastTwoSum(s.hi, s.lo + t.hi);
  return FastTwoSum(u.hi, t.lo + u.lo);
}

inline DoubleDouble Mul(DoubleDouble a, DoubleDouble b) {
  const DoubleDouble p = TwoProd(a.hi, b.hi);
  const double cross = a.hi * b.lo + a.lo * b.hi;
  return FastTwoSum(p.hi, p.lo + cross);
}

inline DoubleDouble Mul(DoubleDouble a, double b) {
  const DoubleDouble p = TwoProd(a.hi, b);
  return FastTwoSum(p.hi, p.lo + a.lo * b);
}

}  // namespace floodwave::power_detail
