// Numbers of free-format answers against independent references: the real
// item must hold the decimal text rounded once to the nearest float, which
// is checked at the exact midpoints between neighbouring floats (written out
// in full decimal) and against the C library's correctly rounded strtof on
// random texts; integer items with a point or exponent go through strtod.
#include <gtest/gtest.h>

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "textio/free_format_parser.h"

namespace floodwave::textio {
namespace {

#ifdef FLOODWAVE_SANITIZED
constexpr int kCases = 20000;
#else
constexpr int kCases = 200000;
#endif

class OneLine final : public LineSource {
 public:
  explicit OneLine(std::string line) : line_(std::move(line)) {}
  std::optional<std::string_view> NextLine() override {
    if (taken_) return std::nullopt;
    taken_ = true;
    return line_;
  }

 private:
  std::string line_;
  bool taken_ = false;
};

int ReadReal(const std::string& text, float& value) {
  OneLine line(text);
  const FreeItem items[] = {&value};
  return ParseFree(line, items);
}

int ReadInteger(const std::string& text, std::int32_t& value) {
  OneLine line(text);
  const FreeItem items[] = {&value};
  return ParseFree(line, items);
}

std::uint32_t Bits(float x) { return std::bit_cast<std::uint32_t>(x); }

// The exact decimal value of a double (glibc prints every digit), as
// mantissa digits and a decimal exponent: d.ddd...e±x.
struct Decimal {
  std::string digits;  // without the point
  int exponent;
};

Decimal Exactly(double x) {
  char text[400];
  std::snprintf(text, sizeof text, "%.250e", x);
  const std::string s(text);
  const std::size_t e = s.find('e');
  Decimal d{s.substr(0, 1) + s.substr(2, e - 2), std::atoi(s.c_str() + e + 1)};
  return d;
}

std::string Text(const Decimal& d, char letter) {
  return d.digits.substr(0, 1) + "." + d.digits.substr(1) + letter + std::to_string(d.exponent);
}

// The decimal just below: the last digit lowered by one unit, borrowing.
Decimal JustBelow(Decimal d) {
  std::size_t i = d.digits.size();
  while (i-- > 0) {
    if (d.digits[i] != '0') {
      --d.digits[i];
      break;
    }
    d.digits[i] = '9';
  }
  return d;
}

Decimal JustAbove(Decimal d) {
  d.digits.back() = '1';  // the exact expansion ends in zeros
  return d;
}

TEST(FreeReadNumber, MidpointsBetweenFloatsRoundOnceToNearestEven) {
  std::mt19937_64 random(20240917);
  std::uniform_int_distribution<std::uint32_t> any_bits(0, 0x7F7FFFFEu);
  const char letters[] = {'E', 'e', 'D', 'd', 'Q', 'q'};
  const int cases = kCases / 10;
  for (int n = 0; n < cases; ++n) {
    const float low = std::bit_cast<float>(any_bits(random));
    const float high = std::nextafter(low, std::numeric_limits<float>::infinity());
    const double mid = (static_cast<double>(low) + static_cast<double>(high)) / 2.0;  // exact
    const Decimal tie = Exactly(mid);
    const float even = (Bits(low) & 1u) == 0 ? low : high;
    const char letter = letters[n % 6];
    struct {
      std::string text;
      float expected;
    } cases3[] = {{Text(tie, letter), even},
                  {Text(JustAbove(tie), letter), high},
                  {Text(JustBelow(tie), letter), low}};
    for (const auto& c : cases3) {
      float value = 0.0f;
      ASSERT_EQ(ReadReal(c.text, value), 0) << c.text;
      ASSERT_EQ(Bits(value), Bits(c.expected)) << c.text;
      ASSERT_EQ(ReadReal("-" + c.text, value), 0) << c.text;
      ASSERT_EQ(Bits(value), Bits(-c.expected)) << c.text;
    }
  }
}

TEST(FreeReadNumber, HalfwayAboveTheLargestFloatOverflows) {
  const double largest = std::numeric_limits<float>::max();
  const double limit = largest + std::ldexp(1.0, 103);  // halfway to 2^128
  float value = 0.0f;
  EXPECT_EQ(ReadReal(Text(JustBelow(Exactly(limit)), 'E'), value), 0);
  EXPECT_EQ(value, std::numeric_limits<float>::max());
  EXPECT_EQ(ReadReal(Text(Exactly(limit), 'E'), value), 64);
  EXPECT_EQ(value, std::numeric_limits<float>::infinity());
  EXPECT_EQ(ReadReal("-" + Text(Exactly(limit), 'E'), value), 64);
  EXPECT_EQ(value, -std::numeric_limits<float>::infinity());
  // Half the smallest subnormal goes to zero (even), a hair above it does not.
  const Decimal half = Exactly(std::ldexp(1.0, -150));
  EXPECT_EQ(ReadReal(Text(half, 'E'), value), 0);
  EXPECT_EQ(Bits(value), 0u);
  EXPECT_EQ(ReadReal("-" + Text(half, 'E'), value), 0);
  EXPECT_EQ(Bits(value), Bits(-0.0f));
  EXPECT_EQ(ReadReal(Text(JustAbove(half), 'E'), value), 0);
  EXPECT_EQ(value, std::numeric_limits<float>::denorm_min());
}

// A random number text in the answer syntax, and the same number in the
// C library's syntax.
struct Pair {
  std::string answer;
  std::string reference;
};

Pair RandomNumber(std::mt19937_64& random) {
  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<std::uint64_t>(n)); };
  std::string digits;
  const int count = 1 + pick(pick(4) == 0 ? 40 : 12);
  for (int i = 0; i < count; ++i) digits += static_cast<char>('0' + pick(10));
  const int point = pick(count + 2) - 1;  // -1: no point
  std::string mantissa = digits;
  if (point >= 0) mantissa.insert(static_cast<std::size_t>(point), ".");
  const int exponent = pick(100) - 60;
  const char sign = "+-\0"[pick(3)];
  std::string answer;
  std::string reference;
  if (sign == '-') answer += '-', reference += '-';
  if (sign == '+') answer += '+';
  answer += mantissa;
  reference += mantissa;
  const int style = pick(4);
  if (style > 0 || point < 0) {
    const std::string e = std::to_string(exponent);
    if (style == 1 && exponent != 0) {
      answer += exponent > 0 ? "+" + e : e;  // the sign-only exponent
    } else {
      answer += "EeDdQq"[pick(6)] + e;
    }
    reference += "e" + e;
  }
  return {answer, reference};
}

TEST(FreeReadNumber, RandomTextsMatchTheCLibrary) {
  std::mt19937_64 random(7);
  for (int n = 0; n < kCases; ++n) {
    const Pair p = RandomNumber(random);
    SCOPED_TRACE(p.answer);
    errno = 0;
    const float expected = std::strtof(p.reference.c_str(), nullptr);
    const bool overflow = std::isinf(expected);
    float value = 1.0f;
    ASSERT_EQ(ReadReal(p.answer, value), overflow ? 64 : 0);
    ASSERT_EQ(Bits(value), Bits(expected));

    const bool exact = p.reference.find_first_of(".e") == std::string::npos;
    std::int32_t integer = 1;
    const int status = ReadInteger(p.answer, integer);
    if (exact) continue;  // whole numbers: the table covers them
    const double d = std::trunc(std::strtod(p.reference.c_str(), nullptr));
    const bool fits = d >= -2147483648.0 && d <= 2147483647.0;
    ASSERT_EQ(status, 0);
    ASSERT_EQ(integer, fits ? static_cast<std::int32_t>(d) : INT32_MIN);
  }
}

TEST(FreeReadNumber, ExactIntegersOverTheWholeRangeEdge) {
  for (std::int64_t v : {std::int64_t{-2147483649}, std::int64_t{-2147483648},
                         std::int64_t{-2147483647}, std::int64_t{-1}, std::int64_t{0},
                         std::int64_t{2147483646}, std::int64_t{2147483647},
                         std::int64_t{2147483648}, std::int64_t{9999999999},
                         std::int64_t{10000000000}}) {
    const bool fits = v >= INT32_MIN && v <= INT32_MAX;
    std::int32_t integer = 5;
    EXPECT_EQ(ReadInteger(std::to_string(v), integer), fits ? 0 : 64) << v;
    EXPECT_EQ(integer, fits ? static_cast<std::int32_t>(v) : 0) << v;
  }
}

}  // namespace
}  // namespace floodwave::textio
