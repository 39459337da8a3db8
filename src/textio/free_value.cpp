#include "textio/free_value.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>
#include <variant>

namespace floodwave::textio {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSign(char c) { return c == '+' || c == '-'; }

bool IsExponentLetter(char c) {
  return c == 'E' || c == 'e' || c == 'D' || c == 'd' || c == 'Q' || c == 'q';
}

bool StartsWord(char c) { return c == 'I' || c == 'i' || c == 'N' || c == 'n'; }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameWord(std::string_view text, std::string_view lower_word) {
  if (text.size() != lower_word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (Lower(text[i]) != lower_word[i]) return false;
  }
  return true;
}

// --------------------------------------------------------------------------
// Scanning a number: [sign] digits [. digits] [exponent], or a signed word.

enum class NumberKind { kNumber, kInfinity, kNaN };

struct NumberText {
  NumberKind kind = NumberKind::kNumber;
  bool negative = false;
  std::string_view int_digits;
  std::string_view frac_digits;
  bool has_point = false;
  bool has_exponent = false;
  bool exponent_negative = false;
  std::string_view exponent_digits;
};

std::size_t CountDigits(std::string_view text, std::size_t from) {
  std::size_t i = from;
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i - from;
}

// Returns 0 with `number` filled, 59 for a malformed text, 64 for a word
// that is none of Inf, Infinity, NaN.
int ScanNumber(std::string_view text, NumberText& number) {
  std::size_t i = 0;
  if (i < text.size() && IsSign(text[i])) {
    number.negative = text[i] == '-';
    ++i;
  }
  if (i < text.size() && StartsWord(text[i])) {
    const std::string_view word = text.substr(i);
    if (SameWord(word, "inf") || SameWord(word, "infinity")) {
      number.kind = NumberKind::kInfinity;
    } else if (SameWord(word, "nan")) {
      number.kind = NumberKind::kNaN;
    } else {
      return kUnconvertibleValue;
    }
    return 0;
  }
  std::size_t n = CountDigits(text, i);
  number.int_digits = text.substr(i, n);
  i += n;
  if (i < text.size() && text[i] == '.') {
    number.has_point = true;
    ++i;
    n = CountDigits(text, i);
    number.frac_digits = text.substr(i, n);
    i += n;
  }
  const bool has_digits = !number.int_digits.empty() || !number.frac_digits.empty();
  if (!has_digits) return kMalformedValue;  // ".", "+", "-.", "E5", "+-5"
  if (i < text.size() && (IsExponentLetter(text[i]) || IsSign(text[i]))) {
    number.has_exponent = true;
    if (IsExponentLetter(text[i])) ++i;
    if (i < text.size() && IsSign(text[i])) {
      number.exponent_negative = text[i] == '-';
      ++i;
    }
    n = CountDigits(text, i);
    if (n == 0) return kMalformedValue;  // "1.5E", "1.5-", "1E+"
    number.exponent_digits = text.substr(i, n);
    i += n;
  }
  // Anything left: another letter, a second point or exponent, a
  // semicolon, an apostrophe, an I or N past the start...
  return i == text.size() ? 0 : kMalformedValue;
}

// --------------------------------------------------------------------------
// Conversions.

// The magnitude's decimal digits and exponent in the form the standard
// converters accept: no sign, 'e' as the exponent letter, a digit before
// any point.
std::string Normalised(const NumberText& number) {
  std::string text;
  text.reserve(number.int_digits.size() + number.frac_digits.size() +
               number.exponent_digits.size() + 4);
  text += number.int_digits.empty() ? std::string_view("0") : number.int_digits;
  if (!number.frac_digits.empty()) {
    text += '.';
    text += number.frac_digits;
  }
  if (number.has_exponent) {
    text += 'e';
    if (number.exponent_negative) text += '-';
    text += number.exponent_digits;
  }
  return text;
}

// The decimal order of magnitude of a nonzero number (the power of ten of
// its first significant digit), saturated far beyond any floating range.
// Only its sign is used: it tells an overflow from an underflow.
std::int64_t DecimalOrder(const NumberText& number) {
  constexpr std::int64_t kFar = 1'000'000'000;
  std::int64_t exponent = 0;
  for (char c : number.exponent_digits) {
    exponent = exponent * 10 + (c - '0');
    if (exponent > kFar) {
      exponent = kFar;
      break;
    }
  }
  if (number.exponent_negative) exponent = -exponent;
  std::int64_t order = 0;
  std::size_t first = number.int_digits.find_first_not_of('0');
  if (first != std::string_view::npos) {
    order = static_cast<std::int64_t>(number.int_digits.size() - first) - 1;
  } else {
    first = number.frac_digits.find_first_not_of('0');
    if (first == std::string_view::npos) return -kFar;  // zero never overflows
    order = -static_cast<std::int64_t>(first) - 1;
  }
  return order + exponent;
}

// The magnitude rounded once, directly from the decimal text, to the
// nearest value of type T; out of range gives infinity or zero.
template <class T>
T Magnitude(const NumberText& number, bool& overflow) {
  const std::string text = Normalised(number);
  T value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  overflow = false;
  if (error == std::errc::result_out_of_range) {
    overflow = DecimalOrder(number) >= 0;
    value = overflow ? std::numeric_limits<T>::infinity() : T(0);
  }
  return value;
}

int StoreReal(const NumberText& number, float& item) {
  float magnitude = 0.0f;
  bool overflow = false;
  switch (number.kind) {
    case NumberKind::kInfinity:
      magnitude = std::numeric_limits<float>::infinity();
      break;
    case NumberKind::kNaN:
      magnitude = std::numeric_limits<float>::quiet_NaN();
      break;
    case NumberKind::kNumber:
      magnitude = Magnitude<float>(number, overflow);
      break;
  }
  item = number.negative ? -magnitude : magnitude;
  return overflow ? kUnconvertibleValue : 0;
}

// A number without point or exponent converts exactly, or not at all.
int StoreExactInteger(const NumberText& number, std::int32_t& item) {
  const std::string_view digits = number.int_digits;
  std::size_t first = digits.find_first_not_of('0');
  if (first == std::string_view::npos) first = digits.size();
  const std::string_view significant = digits.substr(first);
  std::int64_t magnitude = 0;
  if (significant.size() <= 10) {
    for (char c : significant) magnitude = magnitude * 10 + (c - '0');
  }
  const std::int64_t limit = number.negative ? std::int64_t{2147483648} : std::int64_t{2147483647};
  if (significant.size() > 10 || magnitude > limit) {
    item = 0;
    return kUnconvertibleValue;
  }
  item = static_cast<std::int32_t>(number.negative ? -magnitude : magnitude);
  return 0;
}

// With a point or an exponent the number goes through double precision and
// is truncated toward zero; a result outside the 32-bit range stores the
// most negative integer. The range is tested on the double, never by
// converting an out-of-range double.
int StoreTruncatedInteger(const NumberText& number, std::int32_t& item) {
  bool overflow = false;
  const double magnitude = Magnitude<double>(number, overflow);
  const double truncated = std::trunc(number.negative ? -magnitude : magnitude);
  if (truncated >= -2147483648.0 && truncated <= 2147483647.0) {
    item = static_cast<std::int32_t>(truncated);
  } else {
    item = std::numeric_limits<std::int32_t>::min();
  }
  return 0;
}

int StoreInteger(const NumberText& number, std::int32_t& item) {
  if (number.kind != NumberKind::kNumber) {
    item = 0;
    return kUnconvertibleValue;
  }
  if (number.has_point || number.has_exponent) return StoreTruncatedInteger(number, item);
  return StoreExactInteger(number, item);
}

bool IsLogicalLetter(char c) { return c == 'T' || c == 't' || c == 'F' || c == 'f'; }

}  // namespace

// --------------------------------------------------------------------------

bool EndsValue(char c) { return c == ' ' || c == '\t' || c == '\r' || c == ',' || c == '/'; }

bool StartsLogical(std::string_view text) {
  if (text.empty()) return false;
  if (IsLogicalLetter(text[0])) return true;
  return text.size() >= 2 && text[0] == '.' && IsLogicalLetter(text[1]);
}

std::size_t ValueLength(std::string_view rest) {
  const bool number = !StartsLogical(rest);
  std::size_t i = 0;
  while (i < rest.size() && !EndsValue(rest[i]) && !(number && rest[i] == ')')) ++i;
  return i;
}

int StoreValue(std::string_view text, const FreeItem& item) {
  if (StartsLogical(text)) {
    const char letter = text[0] == '.' ? text[1] : text[0];
    const bool truth = letter == 'T' || letter == 't';
    if (auto* real = std::get_if<float*>(&item)) {
      **real = truth ? -1.0f : 0.0f;
    } else {
      *std::get<std::int32_t*>(item) = truth ? -1 : 0;
    }
    return 0;
  }
  NumberText number;
  const int syntax = ScanNumber(text, number);
  if (syntax == kMalformedValue) return syntax;
  if (auto* real = std::get_if<float*>(&item)) {
    if (syntax != 0) return syntax;  // an unknown word: nothing to store
    return StoreReal(number, **real);
  }
  std::int32_t& integer = *std::get<std::int32_t*>(item);
  if (syntax != 0) {
    integer = 0;
    return syntax;
  }
  return StoreInteger(number, integer);
}

}  // namespace floodwave::textio
