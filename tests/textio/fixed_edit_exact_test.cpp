// Fw.d and Iw editing against an independent exact method: the C library's
// "%.*f" is correctly rounded (ties to even on the exact binary value), and
// the field rules are applied to its text here: no minus sign on a rounded
// zero, the zero before the point only when there is room, asterisks when
// the text is too long. Many millions of floats, all widths and decimals
// the program uses, and every awkward class of value.
#include "support/reference_field.h"
#include "textio/fixed_edit.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace floodwave::textio {
namespace {

#if defined(FLOODWAVE_SANITIZED)
constexpr int kScale = 10;  // the sanitizers make each edit far slower
#else
constexpr int kScale = 1;
#endif

using floodwave::testing::ReferenceFixed;
using floodwave::testing::ReferenceInteger;
using floodwave::testing::Stars;

std::string EditedFixed(float value, int w, int d) {
  std::string field(static_cast<std::size_t>(w), '?');
  EditFixed(field.data(), w, d, value);
  return field;
}

// Checks one value in one field; returns false (after reporting) on a
// mismatch, so that a broken rule reports a few values, not millions.
bool Agrees(float value, int w, int d) {
  const std::string expected = ReferenceFixed(value, w, d);
  const std::string edited = EditedFixed(value, w, d);
  if (edited == expected) return true;
  ADD_FAILURE() << "F" << w << "." << d << " of " << std::hexfloat << value << " ("
                << std::defaultfloat << value << "): edited \"" << edited
                << "\", expected \"" << expected << "\"";
  return false;
}

// The fields the program's layouts use, and a few wider ones that reach
// the out-of-line path for integer parts of 2^63 and more.
const std::vector<std::pair<int, int>>& ProgramFields() {
  static const std::vector<std::pair<int, int>> fields = {
      {4, 3}, {5, 3}, {6, 3}, {7, 3}, {8, 3}, {9, 3}, {10, 3}, {11, 3}, {6, 4},
      {8, 5}, {9, 2}, {10, 2}, {7, 2}, {5, 2}, {3, 0}, {1, 0}, {2, 1}, {40, 0},
      {40, 9}, {30, 5}, {21, 0}, {25, 3}, {12, 9}, {20, 9}};
  return fields;
}

// Every width from 1 to 40 with every allowed number of decimals.
std::vector<std::pair<int, int>> AllFields() {
  std::vector<std::pair<int, int>> fields;
  for (int w = 1; w <= kMaxEditWidth; ++w) {
    for (int d = 0; d <= kMaxEditDecimals && d < w; ++d) fields.emplace_back(w, d);
  }
  return fields;
}

TEST(FixedEditExact, RandomBitPatterns) {
  std::mt19937 random(20240611u);
  const auto& fields = ProgramFields();
  int failures = 0;
  const int count = 4'000'000 / kScale;
  for (int i = 0; i < count && failures < 10; ++i) {
    const float value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
    const auto [w, d] = fields[static_cast<std::size_t>(i) % fields.size()];
    if (!Agrees(value, w, d)) ++failures;
  }
}

// Magnitudes from about 1e-7 to 1e9, where the digits actually show.
TEST(FixedEditExact, RandomValuesOfPrintableSize) {
  std::mt19937 random(777u);
  std::uniform_int_distribution<std::uint32_t> exponent(127 - 24, 127 + 30);
  const auto& fields = ProgramFields();
  const auto all = AllFields();
  int failures = 0;
  const int count = 16'000'000 / kScale;
  for (int i = 0; i < count && failures < 10; ++i) {
    const std::uint32_t bits = (random() & 0x807FFFFFu) | (exponent(random) << 23);
    const float value = std::bit_cast<float>(bits);
    const auto [w, d] = (i % 4 == 0) ? all[static_cast<std::size_t>(random()) % all.size()]
                                     : fields[static_cast<std::size_t>(i) % fields.size()];
    if (!Agrees(value, w, d)) ++failures;
  }
}

// A tie at d decimals is (2n + 1) / 2^(d + 1): every such float, for random
// odd numerators, must go to the even neighbour.
TEST(FixedEditExact, ExactTiesGoToEven) {
  std::mt19937 random(99u);
  int failures = 0;
  for (int d = 0; d <= kMaxEditDecimals; ++d) {
    const int count = 100'000 / kScale;
    for (int i = 0; i < count && failures < 10; ++i) {
      const std::uint32_t odd = (static_cast<std::uint32_t>(random()) & 0xFFFFFFu) | 1u;
      const float value = std::ldexp(static_cast<float>(odd), -(d + 1));
      const float signed_value = (i % 2 == 0) ? value : -value;
      if (!Agrees(signed_value, kMaxEditWidth, d)) ++failures;
      if (!Agrees(signed_value, 12, d)) ++failures;
    }
  }
  EXPECT_EQ(EditedFixed(0.125f, 5, 2), " 0.12");
  EXPECT_EQ(EditedFixed(0.375f, 5, 2), " 0.38");
  EXPECT_EQ(EditedFixed(2.5f, 3, 0), " 2.");
  EXPECT_EQ(EditedFixed(3.5f, 3, 0), " 4.");
  EXPECT_EQ(EditedFixed(-0.5f, 3, 0), " 0.");
  EXPECT_EQ(EditedFixed(-1.5f, 3, 0), "-2.");
}

// Values next to the points where rounding carries into a new digit
// (9.9995, 99.995, 999.9996 ...), a few floats either side of each.
TEST(FixedEditExact, CarriesIntoANewDigit) {
  int failures = 0;
  for (int d = 0; d <= kMaxEditDecimals; ++d) {
    for (int k = -3; k <= 12; ++k) {
      const double boundary = std::pow(10.0, k) - 0.5 * std::pow(10.0, -d);
      if (boundary <= 0) continue;
      float value = static_cast<float>(boundary);
      for (int step = 0; step < 8; ++step) value = std::nextafter(value, 0.0f);
      for (int step = 0; step < 16 && failures < 10; ++step) {
        for (const auto& [w, dd] : AllFields()) {
          if (dd != d) continue;
          if (!Agrees(value, w, d) || !Agrees(-value, w, d)) ++failures;
        }
        value = std::nextafter(value, std::numeric_limits<float>::infinity());
      }
    }
  }
  EXPECT_EQ(EditedFixed(999.9996f, 7, 3), "*******");
  EXPECT_EQ(EditedFixed(999.9994f, 7, 3), "999.999");
  EXPECT_EQ(EditedFixed(9.9995f, 6, 3), "10.000");  // 9.9995f lies above 9.9995
  EXPECT_EQ(EditedFixed(-9.99949f, 6, 3), "-9.999");
}

TEST(FixedEditExact, ZerosSubnormalsExtremesAndNonFinite) {
  const float specials[] = {
      0.0f,
      -0.0f,
      std::numeric_limits<float>::denorm_min(),
      -std::numeric_limits<float>::denorm_min(),
      std::bit_cast<float>(0x007FFFFFu),  // largest subnormal
      std::numeric_limits<float>::min(),
      -std::numeric_limits<float>::min(),
      std::numeric_limits<float>::max(),
      -std::numeric_limits<float>::max(),
      std::nextafter(std::numeric_limits<float>::max(), 0.0f),
      9.223372e18f,  // about 2^63, where the out-of-line path starts
      std::ldexp(1.0f, 63),
      -std::ldexp(1.0f, 63),
      std::ldexp(16777215.0f, 39),
      std::ldexp(1.0f, 64),
      -0.0004f,
      -0.00049999f,
      -0.0005f,
      -0.00050001f,
      std::numeric_limits<float>::infinity(),
      -std::numeric_limits<float>::infinity(),
      std::numeric_limits<float>::quiet_NaN(),
      -std::numeric_limits<float>::quiet_NaN(),
      std::bit_cast<float>(0x7F800001u),  // signalling NaN
  };
  for (float value : specials) {
    for (const auto& [w, d] : AllFields()) Agrees(value, w, d);
  }
  EXPECT_EQ(EditedFixed(std::numeric_limits<float>::max(), 40, 0),
            "340282346638528859811704183484516925440.");
  EXPECT_EQ(EditedFixed(-std::numeric_limits<float>::max(), 40, 0), Stars(40));
  EXPECT_EQ(EditedFixed(std::numeric_limits<float>::denorm_min(), 40, 9),
            std::string(29, ' ') + "0.000000000");
}

TEST(FixedEditExact, DecimalsOutsideTheRangeGiveAsterisks) {
  EXPECT_EQ(EditedFixed(1.0f, 5, 5), "*****");
  EXPECT_EQ(EditedFixed(1.0f, 12, 10), Stars(12));
  EXPECT_EQ(EditedFixed(1.0f, 5, -1), "*****");
}

TEST(IntegerEditExact, RandomAndExtremeValues) {
  std::mt19937 random(5u);
  std::vector<std::int32_t> values = {0,  1,  -1, 9,  10, -9, -10, 99, 100, -99, -100, 999,
                                      1000, std::numeric_limits<std::int32_t>::max(),
                                      std::numeric_limits<std::int32_t>::min()};
  for (int i = 0; i < 200'000 / kScale; ++i) {
    const std::int32_t value = static_cast<std::int32_t>(random());
    values.push_back(value >> (i % 31));  // every magnitude
  }
  int failures = 0;
  for (std::int32_t value : values) {
    for (int w = 1; w <= 13 && failures < 10; ++w) {
      std::string edited(static_cast<std::size_t>(w), '?');
      EditInteger(edited.data(), w, value);
      if (edited != ReferenceInteger(value, w)) {
        ++failures;
        ADD_FAILURE() << "I" << w << " of " << value << ": \"" << edited << "\"";
      }
    }
  }
}

}  // namespace
}  // namespace floodwave::textio
