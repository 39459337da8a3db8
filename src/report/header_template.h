// The fixed text of the results header page: 24 lines of 131 characters,
// into which the run data are edited at fixed columns (header_page.cpp).
//
// Each non-blank line is given by its text and the columns where the text
// begins and ends, so that the table below can be held against the printed
// page column by column; a line or a column count that disagrees with its
// text stops the build.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace floodwave {

inline constexpr int kHeaderLineCount = 24;
// The longest record the program writes.
inline constexpr int kHeaderLineLength = 131;

using HeaderLine = std::array<char, kHeaderLineLength>;
using HeaderPage = std::array<HeaderLine, kHeaderLineCount>;

namespace header_template_detail {

struct TemplateText {
  int line;  // 1 to 24
  int from;  // first column of the text, from 1
  int to;    // last column of the text
  std::string_view text;
};

// Lines 3, 4, 10, 13, 17 and 20 are blank and have no entry.
// clang-format off
inline constexpr std::array kTexts = {
  //            line from  to
  TemplateText{  1,  30,  98, "RESULTS OF COMPUTATION FOR THE UNSTEADY FLOW WITH THE EXPLICIT METHOD"},
  TemplateText{  2,  30,  99, "======================================================================"},
  TemplateText{  5,  39,  86, "DATA CONCERNING THE CHANNEL AND THE UNIFORM FLOW"},
  TemplateText{  6,  39,  90, "----------------------------------------------------"},
  TemplateText{  7,   2,  82, "CHANNEL WIDTH,          B (m) =                      MANNING COEFFICIENT,     n ="},
  TemplateText{  8,   2,  97, "SLOPES OF SIDES,                  m (-) =                      DEPTH FOR UNIFORM FLOW,  hn (m) ="},
  TemplateText{  9,   2, 103, "SLOPE OF THE CHANNEL BOTTOM,           Jf (-) =                 TOTAL CHANNEL LENGTH,         LT (m) ="},
  // The discharge field overwrites ") = .XXX"; its decimal point falls on the marker's.
  TemplateText{ 11,  18,  99, "INITIAL DISCHARGE,   Q0 (M3/S) = .XXX                 INITIAL VELOCITY, U0 (m/s) ="},
  TemplateText{ 12,  37,  71, "CELERITY OF GRAVITY WAVE C0 (m/s) ="},
  TemplateText{ 14,  54,  80, "TIME TO PEAK,      t' (s) ="},
  TemplateText{ 15,   2,  81, "DEFINITION OF THE TRIANGULAR HYDROGRAPH :          PEAK DISCHARGE, QMAX (m3/s) ="},
  TemplateText{ 16,  54,  79, "TIME OF DECAY,   t'' (s) ="},
  TemplateText{ 18,   2, 108, "NUMBER OF STEPS, NDIV =             LENGTH OF STEPS, DX (m) =                  NUMBER OF NODES, NN=NDIV+1 ="},
  TemplateText{ 19,   2, 118, "TIME STEP,     DT (s) =             DURATION OF  COMPUTATIONS,   TMAX (s) =                  FREQUENCY OF OUTPUT (  ="},
  // Column headings of the station rows: each letter of line 23 stands two
  // columns left of the decimal point of the row field beneath it.
  TemplateText{ 21,  30, 112, "STATION 1                            STATION 2                            STATION 3"},
  TemplateText{ 22,   7, 111, "TIME        NODE NO =         X =               NODE NO =         X =               NODE NO =         X ="},
  TemplateText{ 23,   9, 119, "T             Q          H          U              Q          H          U              Q          H          U"},
  TemplateText{ 24,   8, 121, "(s)          (m3/s)      (m)       (m/s)          (m3/s)      (m)       (m/s)          (m3/s)      (m)       (m/s)"},
};
// clang-format on

// A failed check here is not a constant expression, which stops the build.
consteval void Require(bool condition) {
  if (!condition) throw "header template entry disagrees with its columns";
}

consteval HeaderPage BuildTemplate() {
  HeaderPage page{};
  for (HeaderLine& line : page) line.fill(' ');
  int previous_line = 0;
  for (const TemplateText& t : kTexts) {
    Require(t.line > previous_line && t.line <= kHeaderLineCount);
    Require(t.from >= 1 && t.to <= kHeaderLineLength);
    Require(static_cast<std::size_t>(t.to - t.from + 1) == t.text.size());
    // From and To name the first and last non-blank characters.
    Require(t.text.front() != ' ' && t.text.back() != ' ');
    previous_line = t.line;
    HeaderLine& line = page[static_cast<std::size_t>(t.line - 1)];
    for (std::size_t i = 0; i < t.text.size(); ++i) {
      line[static_cast<std::size_t>(t.from - 1) + i] = t.text[i];
    }
  }
  return page;
}

}  // namespace header_template_detail

inline constexpr HeaderPage kHeaderTemplate = header_template_detail::BuildTemplate();

}  // namespace floodwave
