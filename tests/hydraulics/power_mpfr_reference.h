// Reference values for the single-precision power tests, from MPFR: the
// correctly rounded binary32 x^y (subnormals and overflow included), and
// exact values at high precision for measuring approximation errors.
#pragma once

#include <mpfr.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

namespace floodwave::power_test {

#ifdef FLOODWAVE_SANITIZED
inline constexpr long kScale = 20;  // sanitized runs do 1/20 of the work
#else
inline constexpr long kScale = 1;
#endif

inline long Count(long n) { return n / kScale; }

// x^y rounded to nearest float, ties to even. The exponent range is the
// binary32 one (MPFR's significands lie in [1/2, 1)), and subnormalize
// rounds once more at the subnormal precision without double rounding.
inline float ReferencePow(float x, float y) {
  const mpfr_exp_t emin = mpfr_get_emin();
  const mpfr_exp_t emax = mpfr_get_emax();
  mpfr_set_emin(-148);
  mpfr_set_emax(128);
  mpfr_t mx, my, mr;
  mpfr_init2(mx, 24);
  mpfr_init2(my, 24);
  mpfr_init2(mr, 24);
  mpfr_set_flt(mx, x, MPFR_RNDN);
  mpfr_set_flt(my, y, MPFR_RNDN);
  int inexact = mpfr_pow(mr, mx, my, MPFR_RNDN);
  inexact = mpfr_subnormalize(mr, inexact, MPFR_RNDN);
  (void)inexact;
  const float result = mpfr_get_flt(mr, MPFR_RNDN);
  mpfr_clear(mx);
  mpfr_clear(my);
  mpfr_clear(mr);
  mpfr_set_emin(emin);
  mpfr_set_emax(emax);
  return result;
}

// Same bits, or both NaN (the payload of a NaN is not specified).
inline bool SameFloat(float a, float b) {
  if (std::isnan(a) && std::isnan(b)) return true;
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

// |approx - x^y| / x^y at 300 bits, as a double (x > 0).
inline double RelativeError(float x, float y, double hi, double lo) {
  mpfr_t mx, my, exact, approx;
  mpfr_init2(mx, 24);
  mpfr_init2(my, 24);
  mpfr_init2(exact, 300);
  mpfr_init2(approx, 300);
  mpfr_set_flt(mx, x, MPFR_RNDN);
  mpfr_set_flt(my, y, MPFR_RNDN);
  mpfr_pow(exact, mx, my, MPFR_RNDN);
  mpfr_set_d(approx, hi, MPFR_RNDN);
  mpfr_add_d(approx, approx, lo, MPFR_RNDN);
  mpfr_sub(approx, approx, exact, MPFR_RNDN);
  mpfr_div(approx, approx, exact, MPFR_RNDN);
  const double rel = std::fabs(mpfr_get_d(approx, MPFR_RNDN));
  mpfr_clear(mx);
  mpfr_clear(my);
  mpfr_clear(exact);
  mpfr_clear(approx);
  return rel;
}

inline constexpr float kTwoThirds = std::bit_cast<float>(0x3F2AAAABu);
inline constexpr float kFourThirds = std::bit_cast<float>(0x3FAAAAABu);

// A float spread evenly in log scale between lo and hi.
inline float LogUniform(std::mt19937_64& rng, double lo, double hi) {
  std::uniform_real_distribution<double> u(std::log(lo), std::log(hi));
  return static_cast<float>(std::exp(u(rng)));
}

// Any positive finite float, subnormals included, equally likely by bits.
inline float AnyPositive(std::mt19937_64& rng) {
  std::uniform_int_distribution<std::uint32_t> bits(1, 0x7f7fffffu);
  return std::bit_cast<float>(bits(rng));
}

// A float exponent that puts x^y near 2^t, for t drawn from [tlo, thi].
inline float ExponentFor(std::mt19937_64& rng, float x, double tlo,
                         double thi) {
  std::uniform_real_distribution<double> u(tlo, thi);
  return static_cast<float>(u(rng) / std::log2(static_cast<double>(x)));
}

}  // namespace floodwave::power_test
