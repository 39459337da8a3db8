// Console interrupts: the report, the exit status, and files that end on
// the last whole write, even when the interrupt falls in the middle of one.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <string>
#include <thread>

#include "support/console_events.h"
#include "textio/probe_process.h"
#include "textio/probe_records.h"

namespace floodwave::textio {
namespace {

using namespace std::chrono_literals;
using testing::kRowPairSize;
using testing::ProbeProcess;
using testing::ReadFile;
using testing::RowPair;
using testing::StandardInput;
using testing::StandardOutput;
using testing::TempDir;

std::string Rows(long count) {
  std::string rows;
  for (long i = 0; i < count; ++i) rows += RowPair(i);
  return rows;
}

TEST(Interrupt, WhileAQuestionWaitsEachEventIsReportedWithItsStatus) {
  const auto& cases = floodwave::testing::kConsoleEvents;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    TempDir dir;
    ProbeProcess probe(dir,
                       {"start", "call", "Dialogue", "open", "7", "DIALOG.DAT", "open", "5", "R.TXT",
                        "rows", "5", "100", "line", "7", " LOG", "call", "AskNumber", "call", "ReadFree",
                        "prompt", "7", " ANSWER? ", "prompt", "-1", " ANSWER? ", "read"},
                       StandardOutput::kPipe, StandardInput::kHeldOpen);
    ASSERT_TRUE(probe.WaitForOutput(" ANSWER? "));
    probe.Signal(c.signal_number);
    const auto result = probe.Finish();
    EXPECT_EQ(result.signal, 0);
    EXPECT_EQ(result.exit_status, c.exit_status);
    EXPECT_EQ(result.out, " ANSWER? ");
    EXPECT_EQ(result.err, "floodwave: error (200): program aborting due to " + c.word +
                              " event\r\n  in ReadFree\r\n  in AskNumber\r\n  in Dialogue\r\n  in floodwave\r\n");
    EXPECT_EQ(ReadFile(dir / "DIALOG.DAT"), " LOG\r\n ANSWER? ");
    EXPECT_TRUE(ReadFile(dir / "R.TXT") == Rows(100));
  }
}

TEST(Interrupt, ASignalIgnoredByWhoeverStartedTheProgramStaysIgnored) {
  TempDir dir;
  ProbeProcess probe(dir, {"start", "prompt", "-1", " ANSWER? ", "read"}, StandardOutput::kPipe,
                     StandardInput::kHeldOpen, SIGHUP);
  ASSERT_TRUE(probe.WaitForOutput(" ANSWER? "));
  probe.Signal(SIGHUP);
  std::this_thread::sleep_for(200ms);
  probe.Signal(SIGINT);
  const auto result = probe.Finish();
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.err, "floodwave: error (200): program aborting due to control-C event\r\n  in floodwave\r\n");
}

TEST(Interrupt, DuringAStreamOfWritesTheFileEndsOnAWholeWrite) {
#if defined(FLOODWAVE_SANITIZED)
  const int rounds = 3;
#else
  const int rounds = 6;
#endif
  for (int round = 0; round < rounds; ++round) {
    SCOPED_TRACE(round);
    TempDir dir;
    ProbeProcess probe(dir, {"start", "open", "5", "R.TXT", "line", "-1", "READY", "flood", "5"});
    ASSERT_TRUE(probe.WaitForOutput("READY\r\n"));
    std::this_thread::sleep_for(std::chrono::milliseconds(5 + 23 * round));
    probe.Signal(round % 2 == 0 ? SIGINT : SIGTERM);
    const auto result = probe.Finish();
    EXPECT_EQ(result.exit_status, round % 2 == 0 ? 0 : 2);
    const std::string file = ReadFile(dir / "R.TXT");
    ASSERT_GT(file.size(), 0u);
    ASSERT_EQ(file.size() % kRowPairSize, 0u) << "file of " << file.size() << " bytes";
    // Every pair whole and in its place, none missing.
    const long pairs = static_cast<long>(file.size() / kRowPairSize);
    for (long i = 0; i < pairs; ++i) {
      ASSERT_EQ(file.compare(static_cast<std::size_t>(i) * kRowPairSize, kRowPairSize, RowPair(i)), 0)
          << "pair " << i << " of " << pairs;
    }
  }
}

TEST(Interrupt, AConsoleWriteThatNeverEndsIsGivenUp) {
  TempDir dir;
  ProbeProcess probe(dir, {"start", "open", "7", "DIALOG.DAT", "line", "7", " LOG", "open", "5", "R.TXT",
                           "rows", "5", "10", "line", "-1", "READY", "call", "ShowBlock", "flood", "-1"});
  ASSERT_TRUE(probe.WaitForOutput("READY\r\n"));
  // Nobody reads the console any more: the probe is soon stuck in a write.
  std::this_thread::sleep_for(300ms);
  probe.Signal(SIGINT);
  const auto started = std::chrono::steady_clock::now();
  const auto result = probe.Finish(false);
  EXPECT_LT(std::chrono::steady_clock::now() - started, 10s);
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.err,
            "floodwave: error (200): program aborting due to control-C event\r\n"
            "  in ShowBlock\r\n  in floodwave\r\n");
  EXPECT_EQ(ReadFile(dir / "DIALOG.DAT"), " LOG\r\n");
  EXPECT_TRUE(ReadFile(dir / "R.TXT") == Rows(10));
}

}  // namespace
}  // namespace floodwave::textio
