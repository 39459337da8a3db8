// The single-precision power x^y, correctly rounded (to nearest, ties to
// even) and independent of the C library: a fast double-precision
// approximation with a proven error bound (power_fast.h), and for the rare
// results it cannot round, an exact check and a double-double evaluation
// (power_slow.cpp). Special operands follow the usual pow conventions:
// x^0 = 1 and 1^y = 1 even for a NaN operand; a negative base needs an
// integer exponent (its parity gives the sign), else the result is NaN.

#include "hydraulics/power.h"

#include <bit>
#include <cstdint>
#include <limits>

#include "hydraulics/power_fast.h"
#include "hydraulics/power_slow.h"

namespace floodwave {
namespace {

using power_detail::FastPowAny;
using power_detail::SlowPow;

constexpr float kInf = std::numeric_limits<float>::infinity();

enum class Parity { kNotInteger, kOdd, kEven };

// y finite and nonzero.
Parity IntegerParity(std::uint32_t iy) {
  const std::uint32_t e = (iy >> 23) & 0xffu;
  if (e < 0x7fu) return Parity::kNotInteger;  // 0 < |y| < 1
  if (e > 0x7fu + 23) return Parity::kEven;   // no fraction bits left
  const std::uint32_t unit = 1u << (0x7fu + 23 - e);
  if ((iy & (unit - 1)) != 0) return Parity::kNotInteger;
  return (iy & unit) != 0 ? Parity::kOdd : Parity::kEven;
}

// True for +-0, +-inf and NaN.
bool IsZeroInfNan(std::uint32_t i) { return 2 * i - 1 >= 2u * 0x7f800000u - 1; }

// |x|^y for finite |x| > 0 and finite nonzero y.
float PositivePow(float ax, float y) {
  std::uint32_t ix = std::bit_cast<std::uint32_t>(ax);
  if (ix < 0x00800000u) {
    // subnormal: scale into the normal range and take the 23 back from the
    // exponent field, which the logarithm reduction reads with wraparound
    ix = std::bit_cast<std::uint32_t>(ax * 0x1p23f) - (23u << 23);
  }
  float result;
  if (FastPowAny(ix, y, result)) return result;
  return SlowPow(ax, ix, y);
}

float SpecialPow(float x, float y) {
  const std::uint32_t ix = std::bit_cast<std::uint32_t>(x);
  const std::uint32_t iy = std::bit_cast<std::uint32_t>(y);
  if ((iy << 1) == 0) return 1.0f;      // x^0
  if (ix == 0x3f800000u) return 1.0f;  // 1^y
  if (x != x || y != y) return x + y;
  const float ax = std::bit_cast<float>(ix & 0x7fffffffu);
  if ((iy << 1) == 0xff000000u) {  // y = +-inf
    if (ax == 1.0f) return 1.0f;   // (-1)^inf
    const bool grows = (ax > 1.0f) == (y > 0.0f);
    return grows ? kInf : 0.0f;
  }
  bool negative = false;
  if ((ix >> 31) != 0) {
    const Parity parity = IntegerParity(iy);
    if (parity == Parity::kNotInteger && ax != 0.0f && ax != kInf) {
      return std::numeric_limits<float>::quiet_NaN();
    }
    negative = parity == Parity::kOdd;
  }
  float magnitude;
  if (ax == 0.0f) {
    magnitude = y < 0.0f ? kInf : 0.0f;
  } else if (ax == kInf) {
    magnitude = y < 0.0f ? 0.0f : kInf;
  } else {
    magnitude = PositivePow(ax, y);
  }
  return negative ? -magnitude : magnitude;
}

}  // namespace

float PowF(float x, float y) {
  const std::uint32_t ix = std::bit_cast<std::uint32_t>(x);
  const std::uint32_t iy = std::bit_cast<std::uint32_t>(y);
  // Positive normal x and finite nonzero y go straight to the fast path.
  if (ix - 0x00800000u >= 0x7f000000u || IsZeroInfNan(iy)) [[unlikely]] {
    return SpecialPow(x, y);
  }
  float result;
  if (FastPowAny(ix, y, result)) [[likely]] return result;
  return power_detail::SlowPow(x, ix, y);
}

}  // namespace floodwave
