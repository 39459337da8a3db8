// The exact method that the fixed-point and integer editing are checked
// against: the C library's "%.*f" is correctly rounded, and the field rules
// are applied to its text (no minus on a rounded zero, the zero before the
// point only when there is room, asterisks when the text is too long,
// Infinity/Inf/NaN for values that are not finite).
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace floodwave::testing {

inline std::string Stars(int w) { return std::string(static_cast<std::size_t>(w), '*'); }

inline std::string RightJustify(const std::string& text, int w) {
  return std::string(static_cast<std::size_t>(w) - text.size(), ' ') + text;
}

inline std::string ReferenceFixed(float value, int w, int d) {
  if (std::isnan(value)) return w >= 3 ? RightJustify("NaN", w) : Stars(w);
  if (std::isinf(value)) {
    const std::string sign = value < 0 ? "-" : "";
    if (static_cast<int>(sign.size()) + 8 <= w) return RightJustify(sign + "Infinity", w);
    if (static_cast<int>(sign.size()) + 3 <= w) return RightJustify(sign + "Inf", w);
    return Stars(w);
  }
  char buffer[128];
  // '#' keeps the point when d is 0.
  std::snprintf(buffer, sizeof buffer, "%#.*f", d, static_cast<double>(value));
  std::string digits = buffer;
  bool negative = false;
  if (digits[0] == '-') {
    negative = true;
    digits.erase(0, 1);
  }
  if (digits.find_first_not_of("0.") == std::string::npos) negative = false;
  bool zero_dropped = false;
  if (digits[0] == '0') {  // integer part 0: "0.ddd"
    digits.erase(0, 1);
    zero_dropped = true;
  }
  std::string text = (negative ? "-" : "") + digits;
  if (static_cast<int>(text.size()) > w) return Stars(w);
  if (zero_dropped && static_cast<int>(text.size()) < w) {
    text.insert(negative ? 1u : 0u, "0");
  }
  return RightJustify(text, w);
}

inline std::string ReferenceInteger(std::int32_t value, int w) {
  const std::string text = std::to_string(value);
  return static_cast<int>(text.size()) > w ? Stars(w) : RightJustify(text, w);
}

}  // namespace floodwave::testing
