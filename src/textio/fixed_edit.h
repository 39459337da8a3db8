// Editing of numbers into fixed-width fields: Fw.d for single-precision
// reals and Iw for 4-byte integers.
//
// Fw.d rounds the exact binary value of the float to d decimals, ties to
// even, and is computed with integer arithmetic only: a finite float is
// m * 2^e with m < 2^24, so for e < 0 the scaled value m * 10^d (d <= 9)
// stays below 2^54 and one shift with its remainder gives the rounded
// result. Integer parts of 2^63 and more are rare (they need a field of
// more than 20 columns) and are taken out of line.
//
// Every edit fills exactly w characters: the text right-justified with
// blanks, or w asterisks when it does not fit. No allocation, no locale,
// no C library formatting.
#pragma once

#include <bit>
#include <cstdint>

namespace floodwave::textio {

// Widths and decimals every field accepts.
inline constexpr int kMaxEditWidth = 40;
inline constexpr int kMaxEditDecimals = 9;

// Edits `value` by Fw.d into field[0, w). The layouts allow widths up to
// kMaxEditWidth; here any w >= 1 is edited correctly. Decimals outside
// 0 <= d <= kMaxEditDecimals, or d >= w, fill the field with asterisks; a
// w below 1 writes nothing.
void EditFixed(char* field, int w, int d, float value) noexcept;

// Edits `value` by Iw into field[0, w); a w below 1 writes nothing.
void EditInteger(char* field, int w, std::int32_t value) noexcept;

namespace edit_detail {

inline constexpr std::uint64_t kPow10[20] = {
    1ull,
    10ull,
    100ull,
    1000ull,
    10000ull,
    100000ull,
    1000000ull,
    10000000ull,
    100000000ull,
    1000000000ull,
    10000000000ull,
    100000000000ull,
    1000000000000ull,
    10000000000000ull,
    100000000000000ull,
    1000000000000000ull,
    10000000000000000ull,
    100000000000000000ull,
    1000000000000000000ull,
    10000000000000000000ull,
};

inline int DecimalDigits(std::uint64_t v) noexcept {
  int n = 1;
  while (n < 20 && v >= kPow10[n]) ++n;
  return n;
}

inline void FillStars(char* field, int w) noexcept {
  for (int i = 0; i < w; ++i) field[i] = '*';
}

inline void FillBlanks(char* field, int w) noexcept {
  for (int i = 0; i < w; ++i) field[i] = ' ';
}

// "00" to "99": two digits per division.
inline constexpr char kDigitPairs[201] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the last `count` decimal digits of v, leading zeros included,
// ending just before p; returns where they start.
template <class Unsigned>
[[gnu::always_inline]] inline char* PutDigitsBefore(char* p, Unsigned v, int count) noexcept {
  for (; count >= 2; count -= 2) {
    const Unsigned pair = v % 100u;
    v /= 100u;
    p -= 2;
    p[0] = kDigitPairs[2 * pair];
    p[1] = kDigitPairs[2 * pair + 1];
  }
  if (count > 0) *--p = static_cast<char>('0' + v % 10u);
  return p;
}

// Out of line: infinities and NaN, and finite values of 2^63 or more.
void EditNonFinite(char* field, int w, bool negative, bool is_nan) noexcept;
void EditHuge(char* field, int w, int d, bool negative, std::uint32_t m, int e) noexcept;

// The whole Fw.d edit; inlined where w and d are constants so that the
// divisions by 10^d become multiplications.
[[gnu::always_inline]] inline void EditFixedInline(char* field, int w, int d,
                                                   float value) noexcept {
  const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
  const bool negative = (bits >> 31) != 0;
  const std::uint32_t biased = (bits >> 23) & 0xFFu;
  const std::uint32_t fraction = bits & 0x7FFFFFu;
  if (biased == 0xFFu) {
    EditNonFinite(field, w, negative, fraction != 0);
    return;
  }
  // value = m * 2^e exactly
  const std::uint32_t m = biased == 0 ? fraction : (fraction | 0x800000u);
  const int e = biased == 0 ? -149 : static_cast<int>(biased) - 150;

  std::uint64_t whole;       // integer part of the rounded value
  std::uint32_t decimals;    // its d decimals, as an integer below 10^d
  if (e >= 0) {
    if (e > 39) {  // m * 2^e may reach 2^63
      EditHuge(field, w, d, negative, m, e);
      return;
    }
    whole = static_cast<std::uint64_t>(m) << e;
    decimals = 0;
  } else {
    const int k = -e;
    std::uint64_t rounded = 0;
    // For k >= 64 the scaled value (below 2^54) is less than half a unit.
    if (k < 64) {
      const std::uint64_t scaled = static_cast<std::uint64_t>(m) * kPow10[d];
      rounded = scaled >> k;
      const std::uint64_t rest = scaled - (rounded << k);
      const std::uint64_t half = std::uint64_t{1} << (k - 1);
      if (rest > half || (rest == half && (rounded & 1u) != 0)) ++rounded;
    }
    whole = rounded / kPow10[d];
    decimals = static_cast<std::uint32_t>(rounded % kPow10[d]);
  }

  const bool minus = negative && (whole != 0 || decimals != 0);
  int whole_digits = whole == 0 ? 0 : DecimalDigits(whole);
  int length = (minus ? 1 : 0) + whole_digits + 1 + d;
  if (length > w) {
    FillStars(field, w);
    return;
  }
  if (whole_digits == 0 && length < w) whole_digits = 1;  // room for "0."

  FillBlanks(field, w);
  char* p = PutDigitsBefore(field + w, decimals, d);
  *--p = '.';
  p = PutDigitsBefore(p, whole, whole_digits);
  if (minus) p[-1] = '-';
}

[[gnu::always_inline]] inline void EditIntegerInline(char* field, int w,
                                                     std::int32_t value) noexcept {
  const bool negative = value < 0;
  // Unsigned negation keeps -2147483648 exact.
  std::uint32_t magnitude = static_cast<std::uint32_t>(value);
  if (negative) magnitude = 0u - magnitude;
  const int digits = DecimalDigits(magnitude);
  const int length = digits + (negative ? 1 : 0);
  if (length > w) {
    FillStars(field, w);
    return;
  }
  FillBlanks(field, w);
  char* p = PutDigitsBefore(field + w, magnitude, digits);
  if (negative) p[-1] = '-';
}

}  // namespace edit_detail

// Fw.d and Iw with the width and decimals fixed when the program is built,
// for the layouts. The bounds are checked by the layout items.
template <int W, int D>
inline void EditFixed(char* field, float value) noexcept {
  static_assert(W >= 1 && W <= kMaxEditWidth && D >= 0 && D <= kMaxEditDecimals && D < W);
  edit_detail::EditFixedInline(field, W, D, value);
}

template <int W>
inline void EditInteger(char* field, std::int32_t value) noexcept {
  static_assert(W >= 1 && W <= kMaxEditWidth);
  edit_detail::EditIntegerInline(field, W, value);
}

}  // namespace floodwave::textio
