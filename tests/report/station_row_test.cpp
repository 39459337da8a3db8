#include "report/station_row.h"

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "textio/layout.h"

namespace floodwave {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// A flow state whose every value is a marker, so that a row reading the
// wrong level or node shows it.
FlowState Marked() {
  FlowState s;
  s.Q.fill(-777.0f);
  s.H.fill(-777.0f);
  s.U.fill(-777.0f);
  return s;
}

void Put(FlowState& s, int node, float Q, float H, float U) {
  s.q(FlowState::kCurrent, node) = Q;
  s.h(FlowState::kCurrent, node) = H;
  s.u(FlowState::kCurrent, node) = U;
}

// The bytes the row of time T would take, from the pure parts.
std::string RowBytes(float T, const FlowState& s, const std::array<std::int32_t, 3>& NSTAT) {
  const std::array<float, 10> v = StationRowValues(T, s, NSTAT);
  return textio::FormatLayout(kStationRow, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7],
                              v[8], v[9]);
}

// A row typed field by field: 3 blanks, the time, then per station 5
// blanks and Q, H, U separated by one blank; CR LF.
std::string Row(std::string_view T, std::array<std::string_view, 9> fields) {
  std::string row = "   " + std::string(T);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    row += (i % 3 == 0) ? "     " : " ";
    row += fields[i];
  }
  return row + "\r\n";
}

TEST(StationRow, WorkedFirstRowByteForByte) {
  FlowState s = Marked();
  for (int node = 1; node <= 101; ++node) Put(s, node, 40.90665f, 2.5f, 1.090844f);
  const std::string row = RowBytes(0.0f, s, {1, 51, 101});
  EXPECT_EQ(row,
            "         0.00         40.907      2.500      1.091         40.907      2.500      "
            "1.091         40.907      2.500      1.091\r\n");
  ASSERT_EQ(row.size(), 126u);
  for (std::size_t column : {11u, 25u, 36u, 47u, 62u, 73u, 84u, 99u, 110u, 121u}) {
    EXPECT_EQ(row[column - 1], '.') << "column " << column;
  }
}

TEST(StationRow, StationsInOrderFromTheCurrentLevel) {
  FlowState s = Marked();
  Put(s, 2, 123.4567f, 0.25f, -1.5f);
  Put(s, 50, -99999.99f, 999999.9f, 0.0f);
  Put(s, 101, 7.0f, 8.0f, 9.0f);
  s.q(FlowState::kNew, 2) = 555.0f;  // the new level is never shown
  EXPECT_EQ(RowBytes(60.0f, s, {101, 2, 50}),
            Row("     60.00", {"     7.000", "     8.000", "     9.000",  //
                              "   123.457", "     0.250", "    -1.500",  //
                              "-99999.992", "999999.875", "     0.000"}));
}

TEST(StationRow, SpecialValuesKeepTheirColumns) {
  struct Case {
    const char* what;
    float T, Q, H, U;
    std::string_view T_text, Q_text, H_text, U_text;
  };
  const Case cases[] = {
      {"not a number and infinities", 5, kNaN, kInf, -kInf,  //
       "      5.00", "       NaN", "  Infinity", " -Infinity"},
      {"tiny negatives print as zero", 0.0f, -0.0004f, -0.0f, 0.0004f,  //
       "      0.00", "     0.000", "     0.000", "     0.000"},
      {"halfway on the binary value", 1.0f, 2.0005f, 0.0005f, -0.0005f,  //
       "      1.00", "     2.000", "     0.001", "    -0.001"},
      {"too wide", 9999999.0f, 1e6f, -100000.0f, 1e30f,  //
       "9999999.00", "**********", "**********", "**********"},
      {"time of 1e7 s and beyond", 1e7f, 1, 2, 3,  //
       "**********", "     1.000", "     2.000", "     3.000"},
      {"infinite time", kInf, 1, 2, 3,  //
       "  Infinity", "     1.000", "     2.000", "     3.000"},
  };
  for (const Case& c : cases) {
    FlowState s = Marked();
    Put(s, 7, c.Q, c.H, c.U);
    EXPECT_EQ(RowBytes(c.T, s, {7, 7, 7}),
              Row(c.T_text, {c.Q_text, c.H_text, c.U_text, c.Q_text, c.H_text, c.U_text,
                             c.Q_text, c.H_text, c.U_text}))
        << c.what;
  }
}

TEST(StationRow, StationOutsideTheArraysShowsNaN) {
  FlowState s = Marked();
  Put(s, 1, 1, 2, 3);
  Put(s, 101, 4, 5, 6);
  EXPECT_EQ(RowBytes(0.0f, s, {0, 101, 102}),
            Row("      0.00", {"       NaN", "       NaN", "       NaN",  //
                              "     4.000", "     5.000", "     6.000",  //
                              "       NaN", "       NaN", "       NaN"}));
  const std::array<float, 10> v =
      StationRowValues(0.0f, s, {std::numeric_limits<std::int32_t>::min(), -1, 1});
  EXPECT_EQ(v[9], 3.0f);
}

}  // namespace
}  // namespace floodwave
