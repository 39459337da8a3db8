// The fatal report: the catalogue texts, the system's text line, the
// listing of active calls, and the end of the process that follows.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <limits>
#include <string>

#include "textio/active_calls.h"
#include "textio/message_catalogue.h"
#include "textio/probe_process.h"
#include "textio/program_end.h"
#include "textio/report_text.h"

namespace floodwave::textio {
namespace {

using testing::ReadFile;
using testing::RunProbe;
using testing::TempDir;

std::string ReportLine(int number, int unit, std::string_view name) {
  char storage[1024];
  ReportText text(storage);
  AppendReportLine(text, number, unit, name);
  return std::string(text.View());
}

std::string Listing() {
  char storage[4096];
  ReportText text(storage);
  AppendActiveCallListing(text);
  return std::string(text.View());
}

TEST(ReportLine, FillsEveryCatalogueText) {
  const struct {
    int number;
    int unit;
    std::string name;
    std::string line;
  } cases[] = {
      {9, 5, "/home/r/OUT.TXT",
       "floodwave: severe (9): permission to access file denied, unit 5, file /home/r/OUT.TXT\r\n"},
      {10, 7, "/home/r/DIALOG.DAT",
       "floodwave: severe (10): cannot overwrite existing file, unit 7, file /home/r/DIALOG.DAT\r\n"},
      {24, -4, "CONIN$", "floodwave: severe (24): end-of-file during read, unit -4, file CONIN$\r\n"},
      {29, 5, "/r/x/A", "floodwave: severe (29): file not found, unit 5, file /r/x/A\r\n"},
      {30, 7, "/r/D", "floodwave: severe (30): open failure, unit 7, file /r/D\r\n"},
      {38, -1, "CONOUT$", "floodwave: severe (38): error during write, unit -1, file CONOUT$\r\n"},
      {39, -4, "CONIN$", "floodwave: severe (39): error during read, unit -4, file CONIN$\r\n"},
      {42, 5, "/r/A", "floodwave: severe (42): no such device, unit 5, file /r/A\r\n"},
      {43, 5, "/r/", "floodwave: severe (43): file name specification error, unit 5, file /r/\r\n"},
      {200, 0, "control-C", "floodwave: error (200): program aborting due to control-C event\r\n"},
      {200, 0, "window-CLOSE", "floodwave: error (200): program aborting due to window-CLOSE event\r\n"},
      // A path with a percent sign is text, not a placeholder.
      {38, 5, "/r/100%d", "floodwave: severe (38): error during write, unit 5, file /r/100%d\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReportLine(c.number, c.unit, c.name), c.line);
}

TEST(ReportLine, AnUnlistedNumberIsStillASevereReport) {
  EXPECT_EQ(ReportLine(77, 5, "/r/A"), "floodwave: severe (77): unexpected failure, unit 5, file /r/A\r\n");
  EXPECT_EQ(LookUpMessage(77).severity, Severity::kSevere);
}

TEST(ReportLine, SystemLineCarriesTheSystemText) {
  char storage[256];
  ReportText text(storage);
  AppendSystemLine(text, ENOSPC);
  AppendSystemLine(text, EPIPE);
  EXPECT_EQ(text.View(), "floodwave: No space left on device\r\nfloodwave: Broken pipe\r\n");
}

TEST(ReportText, DropsWhatDoesNotFitAndPrintsEveryInteger) {
  char storage[8];
  ReportText text(storage);
  text.Append("unit ");
  text.AppendDecimal(-4);
  text.Append("XYZ");
  EXPECT_EQ(text.View(), "unit -4X");

  char wide[32];
  ReportText numbers(wide);
  numbers.AppendDecimal(std::numeric_limits<std::int64_t>::min());
  numbers.Append(" ");
  numbers.AppendDecimal(0);
  EXPECT_EQ(numbers.View(), "-9223372036854775808 0");
}

TEST(ActiveCallListing, NamesTheActiveCallsInnermostFirst) {
  EXPECT_EQ(Listing(), "  in floodwave\r\n");
  {
    ActiveCall dialogue("Dialogue");
    {
      ActiveCall ask("AskNumber");
      ActiveCall read("ReadFree");
      EXPECT_EQ(Listing(), "  in ReadFree\r\n  in AskNumber\r\n  in Dialogue\r\n  in floodwave\r\n");
    }
    ActiveCall show("ShowBlock");
    EXPECT_EQ(Listing(), "  in ShowBlock\r\n  in Dialogue\r\n  in floodwave\r\n");
  }
  EXPECT_EQ(Listing(), "  in floodwave\r\n");
}

void Nest(int depth, int total, std::string& listing) {
  if (depth == total) {
    listing = Listing();
    return;
  }
  ActiveCall call("Nested");
  Nest(depth + 1, total, listing);
}

TEST(ActiveCallListing, CountsCallsBeyondItsCapacity) {
  std::string listing;
  Nest(0, kMaxActiveCalls + 3, listing);
  std::string expected = "  in (3 more calls)\r\n";
  for (int i = 0; i < kMaxActiveCalls; ++i) expected += "  in Nested\r\n";
  EXPECT_EQ(listing, expected + "  in floodwave\r\n");
  EXPECT_EQ(Listing(), "  in floodwave\r\n");
}

// ---- Reports that end a real process ----

TEST(FatalReport, EndOfInputReportsAndCompletesTheFiles) {
  TempDir dir;
  const auto result =
      RunProbe(dir, {"start", "call", "Dialogue", "open", "7", "DIALOG.DAT", "line", "7", " BANNER",
                     "prompt", "7", " B (m) = ", "prompt", "-1", " B (m) = ", "call", "AskNumber", "call",
                     "ReadFree", "read"});
  EXPECT_EQ(result.exit_status, 24);
  EXPECT_EQ(result.out, " B (m) = ");
  EXPECT_EQ(result.err,
            "floodwave: severe (24): end-of-file during read, unit -4, file CONIN$\r\n"
            "  in ReadFree\r\n  in AskNumber\r\n  in Dialogue\r\n  in floodwave\r\n");
  EXPECT_EQ(ReadFile(dir / "DIALOG.DAT"), " BANNER\r\n B (m) = ");
}

TEST(FatalReport, ASystemErrorComesFirstOnALineOfItsOwn) {
  TempDir dir;
  const auto result = RunProbe(dir, {"start", "call", "ReadLayout", "fatal", "39", "-4", "5"});
  EXPECT_EQ(result.exit_status, 39);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err,
            "floodwave: Input/output error\r\n"
            "floodwave: severe (39): error during read, unit -4, file CONIN$\r\n"
            "  in ReadLayout\r\n  in floodwave\r\n");
}

}  // namespace
}  // namespace floodwave::textio
