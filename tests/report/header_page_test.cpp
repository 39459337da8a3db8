#include "report/header_page.h"

#include "hydraulics/section.h"
#include "support/worked_channel.h"

#include <cstdint>
#include <limits>
#include <utility>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace floodwave {
namespace {

constexpr std::size_t kWidth = 131;

// A page line as typed from its first column: padded with blanks to 131.
std::string Padded(std::string_view from_column_1) {
  std::string line(from_column_1);
  line.resize(kWidth, ' ');
  return line;
}

// A page line holding `text` from column `from` on, blanks elsewhere.
std::string TextAt(int from, std::string_view text) {
  return Padded(std::string(static_cast<std::size_t>(from - 1), ' ') + std::string(text));
}

std::string LineOf(const HeaderPage& page, int line) {
  const HeaderLine& l = page[static_cast<std::size_t>(line - 1)];
  return std::string(l.data(), l.size());
}

// Columns from..to (from 1, inclusive) of a page line.
std::string Columns(const HeaderPage& page, int line, int from, int to) {
  return LineOf(page, line).substr(static_cast<std::size_t>(from - 1),
                                   static_cast<std::size_t>(to - from + 1));
}

RunData WorkedRun() { return floodwave::testing::PublishedWorkedExample(); }

TEST(HeaderPage, WorkedExampleLineForLine) {
  const std::string blank(kWidth, ' ');
  const std::string expected[24] = {
      TextAt(30, "RESULTS OF COMPUTATION FOR THE UNSTEADY FLOW WITH THE EXPLICIT METHOD"),
      TextAt(30, std::string(70, '=')),
      blank,
      blank,
      TextAt(39, "DATA CONCERNING THE CHANNEL AND THE UNIFORM FLOW"),
      TextAt(39, std::string(52, '-')),
      Padded(" CHANNEL WIDTH,          B (m) =             10.000   MANNING COEFFICIENT,     n =                          0.0300"),
      Padded(" SLOPES OF SIDES,                  m (-) =    2.000             DEPTH FOR UNIFORM FLOW,  hn (m) =            2.500"),
      Padded(" SLOPE OF THE CHANNEL BOTTOM,           Jf ( 0.00050             TOTAL CHANNEL LENGTH,         LT (m) =     5000.000"),
      blank,
      Padded("                 INITIAL DISCHARGE,   Q0 (M3/S  40.907                 INITIAL VELOCITY, U0 (m/s) =    1.091"),
      Padded("                                    CELERITY OF GRAVITY WAVE C0 (m/s) =         4.952"),
      blank,
      Padded("                                                     TIME TO PEAK,      t' (s) =      3600.00"),
      Padded(" DEFINITION OF THE TRIANGULAR HYDROGRAPH :          PEAK DISCHARGE, QMAX (m3/s) =    300.000"),
      Padded("                                                     TIME OF DECAY,   t'' (s) =       7200.00"),
      blank,
      Padded(" NUMBER OF STEPS, NDIV =    100      LENGTH OF STEPS, DX (m) =            50.000NUMBER OF NODES, NN=NDIV+1 =           101"),
      Padded(" TIME STEP,     DT (s) =      5.000  DURATION OF  COMPUTATIONS,   TMAX (   7200.000           FREQUENCY OF OUTPUT (  =    12"),
      blank,
      TextAt(30, "STATION 1                            STATION 2                            STATION 3"),
      Padded("      TIME        NODE NO =     1   X =      0.000    NODE NO =     51  X =    2500.000   NODE NO =     101 X =     5000.000"),
      TextAt(9, "T             Q          H          U              Q          H          U              Q          H          U"),
      TextAt(8, "(s)          (m3/s)      (m)       (m/s)          (m3/s)      (m)       (m/s)          (m3/s)      (m)       (m/s)"),
  };
  const HeaderPage page = BuildHeaderPage(WorkedRun());
  for (int line = 1; line <= 24; ++line) {
    EXPECT_EQ(LineOf(page, line), expected[line - 1]) << "line " << line;
  }
}

// The uniform flow as the dialogue derives it shows the same digits as the
// seven-digit values above.
TEST(HeaderPage, UniformFlowAsTheDialogueDerivesIt) {
  RunData run = WorkedRun();
  const UniformFlow uniform = ManningFlow(run.hn, MakeSection(run.B, run.m, run.Jf, run.n));
  run.Uo = static_cast<float>(uniform.V);
  run.Qo = static_cast<float>(uniform.Qn);
  run.Co = static_cast<float>(WaveCelerity(run.hn));
  const HeaderPage page = BuildHeaderPage(run);
  EXPECT_EQ(Columns(page, 11, 39, 54), "Q0 (M3/S  40.907");
  EXPECT_EQ(Columns(page, 11, 101, 108), "   1.091");
  EXPECT_EQ(Columns(page, 12, 78, 85), "   4.952");
}

TEST(HeaderPage, HeadingsStandWhereTheRowsPutTheirFields) {
  const HeaderPage page = BuildHeaderPage(WorkedRun());
  int k = 1;
  for (int column : {30, 67, 104}) {
    EXPECT_EQ(Columns(page, 21, column, column + 8), "STATION " + std::to_string(k++));
  }
  const std::pair<int, char> letters[] = {{9, 'T'},    {23, 'Q'},  {34, 'H'},  {45, 'U'},
                                          {60, 'Q'},   {71, 'H'},  {82, 'U'},  {97, 'Q'},
                                          {108, 'H'},  {119, 'U'}};
  for (const auto& [column, letter] : letters) {
    EXPECT_EQ(LineOf(page, 23)[static_cast<std::size_t>(column - 1)], letter) << column;
  }
  for (int column : {8, 21, 33, 43, 58, 70, 80, 95, 107, 117}) {
    EXPECT_EQ(LineOf(page, 24)[static_cast<std::size_t>(column - 1)], '(') << column;
  }
}

// Values too wide for their fields, small values and degenerate choices:
// each changes one field of the worked run and checks its columns.
TEST(HeaderPage, FieldEdgeCases) {
  struct Case {
    const char* what;
    void (*change)(RunData&);
    int line, from, to;
    std::string_view shown;
  };
  const Case cases[] = {
      {"channel of 20 km", [](RunData& r) { r.LT = 20000; }, 9, 109, 116, "********"},
      {"space step of 200 m", [](RunData& r) { r.DX = 200; }, 18, 73, 80, " 200.000"},
      {"station 10 km down", [](RunData& r) { r.DX = 200; }, 22, 80, 87, "********"},
      {"station beyond 10 km", [](RunData& r) { r.DX = 200; }, 22, 117, 124, "********"},
      {"station just below 10 km", [](RunData& r) { r.NSTAT[1] = 51; r.DX = 199.99998f; },
       22, 80, 87, "9999.999"},
      {"Manning 0.025 fills F6.4", [](RunData& r) { r.n = 0.025f; }, 7, 109, 114, "0.0250"},
      {"Manning of 10 overflows F6.4", [](RunData& r) { r.n = 10; }, 7, 109, 114, "******"},
      {"slope 0.001 over the label", [](RunData& r) { r.Jf = 0.001f; }, 9, 41, 52, "Jf ( 0.00100"},
      {"negative width", [](RunData& r) { r.B = -0.5f; }, 7, 45, 51, " -0.500"},
      {"one space step", [](RunData& r) { r.NN = 2; }, 18, 29, 31, "  1"},
      {"two nodes", [](RunData& r) { r.NN = 2; }, 18, 120, 122, "  2"},
      {"frequency 99999", [](RunData& r) { r.NFREQ = 99999; }, 19, 120, 124, "99999"},
      {"frequency 100000", [](RunData& r) { r.NFREQ = 100000; }, 19, 120, 124, "*****"},
      {"duration over the label", [](RunData& r) { r.TMAX = 1234567.5f; }, 19, 67, 83,
       "TMAX (1234567.500"},
      {"duration of 1e7 s", [](RunData& r) { r.TMAX = 1e7f; }, 19, 73, 83, "***********"},
      {"time to peak just below 1e6", [](RunData& r) { r.TPEAK = 999999.9375f; }, 14, 85, 93,
       "999999.94"},
      {"time of decay 1e6", [](RunData& r) { r.TDECAY = 1e6f; }, 16, 85, 93, "*********"},
      {"discharge over the marker", [](RunData& r) { r.Qo = 0.25f; }, 11, 39, 54,
       "Q0 (M3/S   0.250"},
      {"discharge not a number",
       [](RunData& r) { r.Qo = std::numeric_limits<float>::quiet_NaN(); }, 11, 47, 54,
       "     NaN"},
      {"infinite celerity",
       [](RunData& r) { r.Co = std::numeric_limits<float>::infinity(); }, 12, 78, 85,
       "Infinity"},
      {"node number 1000", [](RunData& r) { r.NSTAT[2] = 1000; }, 22, 105, 107, "***"},
      {"lowest node number",
       [](RunData& r) { r.NSTAT[0] = std::numeric_limits<std::int32_t>::min(); }, 22, 31, 33,
       "***"},
      {"lowest node count",
       [](RunData& r) { r.NN = std::numeric_limits<std::int32_t>::min(); }, 18, 29, 31,
       "***"},
  };
  for (const Case& c : cases) {
    RunData run = WorkedRun();
    c.change(run);
    const HeaderPage page = BuildHeaderPage(run);
    EXPECT_EQ(Columns(page, c.line, c.from, c.to), c.shown) << c.what;
  }
}

TEST(HeaderPage, EveryStationAtTheUpstreamEnd) {
  RunData run = WorkedRun();
  run.NSTAT = {1, 1, 1};
  const HeaderPage page = BuildHeaderPage(run);
  EXPECT_EQ(LineOf(page, 22),
            Padded("      TIME        NODE NO =     1   X =      0.000    NODE NO =      1  X "
                   "=       0.000   NODE NO =       1 X =        0.000"));
}

TEST(HeaderPage, NdivIsNotRead) {
  RunData run = WorkedRun();
  run.NDIV = 7;
  EXPECT_EQ(Columns(BuildHeaderPage(run), 18, 29, 31), "100");
}

TEST(HeaderPage, StationDistance) {
  // 3 * 0.1f is 0.300000004470348... exactly, nearest to the float 0.3f.
  EXPECT_EQ(StationDistance(4, 0.1f), 0.3f);
  EXPECT_EQ(StationDistance(1, 123.25f), 0.0f);
  EXPECT_EQ(StationDistance(101, 50), 5000.0f);
  // The node count itself never overflows.
  EXPECT_EQ(StationDistance(std::numeric_limits<std::int32_t>::min(), 1),
            static_cast<float>(-2147483649.0));
}

}  // namespace
}  // namespace floodwave
