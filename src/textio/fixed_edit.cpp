#include "textio/fixed_edit.h"

#include <cstddef>
#include <string_view>

namespace floodwave::textio {

namespace edit_detail {

namespace {

void PlaceRight(char* field, int w, std::string_view text) noexcept {
  const int length = static_cast<int>(text.size());
  const int blanks = w - length;
  for (int i = 0; i < blanks; ++i) field[i] = ' ';
  for (int i = 0; i < length; ++i) field[blanks + i] = text[static_cast<std::size_t>(i)];
}

}  // namespace

void EditNonFinite(char* field, int w, bool negative, bool is_nan) noexcept {
  // A NaN carries no meaningful sign: it is never shown.
  if (is_nan) {
    if (w >= 3) {
      PlaceRight(field, w, "NaN");
    } else {
      FillStars(field, w);
    }
    return;
  }
  const std::string_view full = negative ? "-Infinity" : "Infinity";
  const std::string_view brief = negative ? "-Inf" : "Inf";
  if (static_cast<int>(full.size()) <= w) {
    PlaceRight(field, w, full);
  } else if (static_cast<int>(brief.size()) <= w) {
    PlaceRight(field, w, brief);
  } else {
    FillStars(field, w);
  }
}

// m * 2^e for e from 40 to 104: an integer of up to 39 digits, with no
// fraction, written with 32-bit limbs so that no wider type is needed.
void EditHuge(char* field, int w, int d, bool negative, std::uint32_t m, int e) noexcept {
  // At least 2^63: 19 digits, so narrow fields need no digits at all.
  if ((negative ? 1 : 0) + 19 + 1 + d > w) {
    FillStars(field, w);
    return;
  }
  std::uint32_t limbs[5] = {0, 0, 0, 0, 0};
  const int low = e / 32;
  const std::uint64_t placed = static_cast<std::uint64_t>(m) << (e % 32);
  limbs[low] = static_cast<std::uint32_t>(placed);
  limbs[low + 1] = static_cast<std::uint32_t>(placed >> 32);

  char digits[48];
  int count = 0;
  bool nonzero = true;
  while (nonzero) {
    std::uint64_t remainder = 0;
    nonzero = false;
    for (int i = 4; i >= 0; --i) {
      const std::uint64_t current = (remainder << 32) | limbs[i];
      limbs[i] = static_cast<std::uint32_t>(current / 10u);
      remainder = current % 10u;
      if (limbs[i] != 0) nonzero = true;
    }
    digits[count++] = static_cast<char>('0' + remainder);
  }

  const int length = (negative ? 1 : 0) + count + 1 + d;
  if (length > w) {
    FillStars(field, w);
    return;
  }
  char* p = field + w;
  for (int i = 0; i < d; ++i) *--p = '0';
  *--p = '.';
  for (int i = 0; i < count; ++i) *--p = digits[i];
  if (negative) *--p = '-';
  while (p > field) *--p = ' ';
}

}  // namespace edit_detail

void EditFixed(char* field, int w, int d, float value) noexcept {
  if (w < 1) return;
  if (d < 0 || d > kMaxEditDecimals || d >= w) {
    edit_detail::FillStars(field, w);
    return;
  }
  edit_detail::EditFixedInline(field, w, d, value);
}

void EditInteger(char* field, int w, std::int32_t value) noexcept {
  edit_detail::EditIntegerInline(field, w, value);
}

}  // namespace floodwave::textio
