// Writing through the output channels: what reaches the console and the
// files, and the report when the system refuses a write.
#include <gtest/gtest.h>

#include <string>

#include "textio/probe_process.h"
#include "textio/probe_records.h"

namespace floodwave::textio {
namespace {

using testing::BigRecord;
using testing::ProbeProcess;
using testing::ReadFile;
using testing::RowPair;
using testing::RunProbe;
using testing::StandardInput;
using testing::StandardOutput;
using testing::TempDir;

std::string Rows(long count) {
  std::string rows;
  for (long i = 0; i < count; ++i) rows += RowPair(i);
  return rows;
}

std::string RefusedWriteReport(std::string_view system_text, int unit, const std::string& name) {
  return "floodwave: " + std::string(system_text) + "\r\n" +
         "floodwave: severe (38): error during write, unit " + std::to_string(unit) + ", file " + name +
         "\r\n  in floodwave\r\n";
}

TEST(WriteToChannel, FilesReceiveEveryWriteInOrder) {
  TempDir dir;
  // 1000 pairs cross the 64 KiB buffer; the big write is larger than it.
  const auto result =
      RunProbe(dir, {"start", "open", "7", "DIALOG.DAT", "open", "5", "R.TXT", "line", "-1", " FIRST",
                     "line", "7", " FIRST", "rows", "5", "1000", "big", "5", "200000", "prompt", "7",
                     " NEXT? ", "line", "5", "", "line", "5", " NORMAL TERMINATION OF PROGRAM", "stop"});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, " FIRST\r\n");
  EXPECT_EQ(ReadFile(dir / "DIALOG.DAT"), " FIRST\r\n NEXT? ");
  std::string big;
  for (long i = 0; i < 200000 / 64; ++i) big += BigRecord(i);
  const std::string results = ReadFile(dir / "R.TXT");
  EXPECT_EQ(results.size(), 1000 * testing::kRowPairSize + big.size() + 2 + 32);
  EXPECT_TRUE(results == Rows(1000) + big + "\r\n NORMAL TERMINATION OF PROGRAM\r\n");
}

TEST(WriteToChannel, TheConsoleShowsAPromptBeforeTheProgramWaits) {
  TempDir dir;
  ProbeProcess probe(dir, {"start", "prompt", "-1", " NAME OF THE RESULTS FILE? ", "read"},
                     StandardOutput::kPipe, StandardInput::kHeldOpen);
  // Standard input stays open: the probe is waiting when the prompt arrives.
  EXPECT_TRUE(probe.WaitForOutput(" NAME OF THE RESULTS FILE? "));
  const auto result = probe.Finish();
  EXPECT_EQ(result.exit_status, 24);
  EXPECT_EQ(result.out, " NAME OF THE RESULTS FILE? ");
}

TEST(RefusedWrite, AFullConsoleIsReportedAndTheFilesCompleted) {
  TempDir dir;
  const auto result = RunProbe(dir, {"start", "open", "7", "DIALOG.DAT", "line", "7", " BANNER", "line",
                                     "-1", " BANNER", "line", "7", " NEVER"},
                               StandardOutput::kDevFull);
  EXPECT_EQ(result.exit_status, 38);
  EXPECT_EQ(result.err, RefusedWriteReport("No space left on device", -1, "CONOUT$"));
  EXPECT_EQ(ReadFile(dir / "DIALOG.DAT"), " BANNER\r\n");
}

TEST(RefusedWrite, AClosedPipeIsReportedNotADeathBySignal) {
  TempDir dir;
  const auto result = RunProbe(dir, {"start", "line", "-1", " BANNER"}, StandardOutput::kClosedPipe);
  EXPECT_EQ(result.signal, 0);
  EXPECT_EQ(result.exit_status, 38);
  EXPECT_EQ(result.err, RefusedWriteReport("Broken pipe", -1, "CONOUT$"));
}

TEST(RefusedWrite, AFileOverItsSizeLimitIsReportedAndTheOtherFileCompleted) {
  TempDir dir;
  // The limit is met at the second flush of the results buffer.
  const auto result = RunProbe(dir, {"start", "fsize", "100000", "open", "7", "DIALOG.DAT", "open", "5",
                                     "R.TXT", "line", "7", " LOG", "rows", "5", "5000", "line", "7",
                                     " NEVER"});
  EXPECT_EQ(result.signal, 0);
  EXPECT_EQ(result.exit_status, 38);
  EXPECT_EQ(result.err, RefusedWriteReport("File too large", 5, dir / "R.TXT"));
  EXPECT_EQ(ReadFile(dir / "DIALOG.DAT"), " LOG\r\n");
  EXPECT_EQ(ReadFile(dir / "R.TXT"), Rows(5000).substr(0, 100000));
}

TEST(RefusedWrite, ARefusalMetAtTheClosingIsNotASuccessfulStop) {
  TempDir dir;
  // Everything fits in the buffer: the system refuses only when the stop
  // writes it out.
  const auto result = RunProbe(dir, {"start", "fsize", "1000", "open", "5", "R.TXT", "open", "7",
                                     "DIALOG.DAT", "line", "7", " LOG", "rows", "5", "20", "stop"});
  EXPECT_EQ(result.exit_status, 38);
  EXPECT_EQ(result.err, RefusedWriteReport("File too large", 5, dir / "R.TXT"));
  EXPECT_EQ(ReadFile(dir / "DIALOG.DAT"), " LOG\r\n");
  EXPECT_EQ(ReadFile(dir / "R.TXT"), Rows(20).substr(0, 1000));
}

TEST(RefusedWrite, AClosedStandardOutputNeverWritesIntoAFile) {
  TempDir dir;
  // With descriptor 1 free, the new file must not take it over.
  const auto result = RunProbe(dir, {"start", "close-stdout", "open", "5", "R.TXT", "line", "5", " ROW",
                                     "line", "-1", " CONSOLE"});
  EXPECT_EQ(result.exit_status, 38);
  EXPECT_EQ(result.err, RefusedWriteReport("Bad file descriptor", -1, "CONOUT$"));
  EXPECT_EQ(ReadFile(dir / "R.TXT"), " ROW\r\n");
}

TEST(RefusedWrite, AWriteToAChannelNeverConnectedIsReported) {
  TempDir dir;
  const auto result = RunProbe(dir, {"start", "line", "5", " ROW"});
  EXPECT_EQ(result.exit_status, 38);
  EXPECT_EQ(result.err, RefusedWriteReport("Bad file descriptor", 5, ""));
}

}  // namespace
}  // namespace floodwave::textio
