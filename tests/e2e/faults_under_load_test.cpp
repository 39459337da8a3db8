// Faults that strike while the program is busy writing a long results file:
// a write refused by the system (a file-size limit), a standard output
// closed under it, and every console interrupt, each at random moments
// (seeded). Whatever strikes, the report and the exit status must be the
// right ones, and the files must hold exactly what was accepted, ending on
// a whole record.
//
// Every run gives the same answers, so every file it writes is a prefix of
// the file of one complete, undisturbed run: that is the reference.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "support/console_events.h"
#include "support/program_process.h"
#include "support/program_run.h"

namespace floodwave {
namespace {

using namespace std::chrono_literals;
using testing::FilesIn;
using testing::ProcessOptions;
using testing::ProgramProcess;
using testing::ProgramRun;
using testing::ReadFile;
using testing::TempDir;

#if defined(FLOODWAVE_SANITIZED)
constexpr int kRepeats = 2;
constexpr auto kRunLimit = 120s;
#else
constexpr int kRepeats = 4;
constexpr auto kRunLimit = 60s;
#endif

// The worked channel with a short time step and a long duration: a row at
// every one of the 230400 steps, some 29 MB of results.
const std::string kAnswers =
    "10\n2\n0.0005\n0.03\n2.5\n5000\n3600\n300\n7200\n\n0.125\n28800\n1 51 101\n1\nR.TXT\n";
constexpr std::size_t kHeaderLines = 24;
constexpr std::size_t kRowLength = 124;
const std::string kNormalEnd = "\r\n\r\n NORMAL TERMINATION OF PROGRAM\r\n";

struct Reference {
  std::string dialog;
  std::string results;
};

// One undisturbed run, made once.
const Reference& TheReference() {
  static const Reference reference = [] {
    TempDir dir;
    const ProgramRun run = testing::RunProgram(FLOODWAVE_EXE, dir.path(), kAnswers, kRunLimit);
    EXPECT_EQ(run.exit_status, 0) << run.err;
    Reference r{ReadFile(dir.path() / "DIALOG.DAT"), ReadFile(dir.path() / "R.TXT")};
    EXPECT_TRUE(r.results.ends_with(kNormalEnd));
    return r;
  }();
  return reference;
}

std::size_t LineCount(const std::string& text) {
  std::size_t count = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) {
    ++count;
  }
  return count;
}

// The results file of a disturbed run: the reference's header, then whole
// rows of 124 characters in increasing time, nothing torn. Being a prefix
// of the reference, the rows are the reference's own, in its order.
void ExpectWholeRowsOfTheReference(const std::string& results, const std::string& context) {
  const std::string& reference = TheReference().results;
  ASSERT_TRUE(reference.starts_with(results)) << context << "differs from the undisturbed run";
  ASSERT_TRUE(results.empty() || results.ends_with("\r\n")) << context << "a torn record";
  const std::vector<std::string> lines = testing::Lines(results);
  double last_time = -1;
  for (std::size_t i = kHeaderLines; i < lines.size(); ++i) {
    ASSERT_EQ(lines[i].size(), kRowLength) << context << "row " << i - kHeaderLines;
    const double time = std::stod(lines[i].substr(0, 13));
    ASSERT_GT(time, last_time) << context << "row " << i - kHeaderLines;
    last_time = time;
  }
}

// The lines after the report's first ones: the active calls, innermost
// first, ending with the program itself.
void ExpectCallListing(const std::vector<std::string>& lines, std::size_t from,
                       const std::string& context) {
  ASSERT_GT(lines.size(), from) << context;
  for (std::size_t i = from; i < lines.size(); ++i) {
    const bool named = lines[i].starts_with("  in ") && lines[i].size() > 5 &&
                       lines[i].find_first_not_of(
                           "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 5) ==
                           std::string::npos;
    EXPECT_TRUE(named) << context << lines[i];
  }
  EXPECT_EQ(lines.back(), "  in floodwave") << context;
}

// Waits until the dialogue is over and rows are going into the results
// file.
bool WaitForRows(const ProgramProcess& process, const std::filesystem::path& results) {
  const auto deadline = std::chrono::steady_clock::now() + kRunLimit;
  std::error_code error;
  while (std::chrono::steady_clock::now() < deadline && process.Running()) {
    const auto size = std::filesystem::file_size(results, error);
    if (!error && size > 64 * 1024) return true;
    std::this_thread::sleep_for(1ms);
  }
  return false;
}

TEST(FaultsUnderLoad, EachInterruptEndsTheRunWithItsReportAndWholeRows) {
  const auto& cases = floodwave::testing::kConsoleEvents;
  TheReference();
  std::mt19937 random(4242u);
  std::uniform_int_distribution<int> delay_ms(0, 400);
  int interrupted = 0;
  for (int repeat = 0; repeat < kRepeats; ++repeat) {
    for (const auto& c : cases) {
      const int delay = delay_ms(random);
      const std::string context = c.word + " after " + std::to_string(delay) + " ms: ";
      TempDir dir;
      ProgramProcess process(FLOODWAVE_EXE, dir.path(), kAnswers);
      ASSERT_TRUE(WaitForRows(process, dir.path() / "R.TXT")) << context << "no rows came";
      std::this_thread::sleep_for(std::chrono::milliseconds(delay));
      process.Signal(c.signal_number);
      const ProgramRun run = process.Finish(kRunLimit);

      ASSERT_FALSE(run.timed_out) << context;
      ASSERT_EQ(run.signal, 0) << context;
      const std::string results = ReadFile(dir.path() / "R.TXT");
      if (run.exit_status == 0 && run.err.empty()) {
        // The run was over before the signal came: nothing to disturb.
        EXPECT_EQ(results, TheReference().results) << context;
        continue;
      }
      ++interrupted;
      EXPECT_EQ(run.exit_status, c.exit_status) << context << run.err;
      const std::vector<std::string> err = testing::Lines(run.err);
      ASSERT_FALSE(err.empty()) << context;
      EXPECT_EQ(err[0], "floodwave: error (200): program aborting due to " + c.word + " event")
          << context;
      ExpectCallListing(err, 1, context);
      EXPECT_EQ(ReadFile(dir.path() / "DIALOG.DAT"), TheReference().dialog) << context;
      ExpectWholeRowsOfTheReference(results, context);
      EXPECT_GT(LineCount(results), kHeaderLines) << context << "the rows before it are lost";
      EXPECT_EQ(FilesIn(dir.path()).size(), 2u) << context;
    }
  }
  // Most signals must fall inside the run, or this tests nothing.
  EXPECT_GE(interrupted, 3 * kRepeats) << interrupted;
}

// Linux stores a write that crosses the size limit up to the limit and
// refuses only the next one, so the file must hold exactly `limit` bytes,
// those of the undisturbed run: nothing the system accepted is lost, and
// nothing after the refusal is written. The record cut by the limit is the
// one the report is about.
TEST(FaultsUnderLoad, ARefusedWriteIsReportedAndTheFileKeepsWhatWasAccepted) {
  TheReference();
  std::mt19937 random(5151u);
  std::uniform_int_distribution<unsigned long> limits(16 * 1024, 4 * 1024 * 1024);
  for (int repeat = 0; repeat < 2 * kRepeats; ++repeat) {
    const unsigned long limit = limits(random);
    const std::string context = "limit " + std::to_string(limit) + ": ";
    TempDir dir;
    ProcessOptions options;
    options.file_size_limit = limit;
    ProgramProcess process(FLOODWAVE_EXE, dir.path(), kAnswers, options);
    const ProgramRun run = process.Finish(kRunLimit);

    ASSERT_FALSE(run.timed_out) << context;
    ASSERT_EQ(run.signal, 0) << context;
    EXPECT_EQ(run.exit_status, 38) << context << run.err;
    const std::vector<std::string> err = testing::Lines(run.err);
    ASSERT_GE(err.size(), 3u) << context << run.err;
    EXPECT_EQ(err[0], "floodwave: File too large") << context;
    EXPECT_EQ(err[1], "floodwave: severe (38): error during write, unit 5, file " +
                          (dir.path() / "R.TXT").string())
        << context;
    ExpectCallListing(err, 2, context);

    const std::string results = ReadFile(dir.path() / "R.TXT");
    EXPECT_EQ(results.size(), limit) << context;
    EXPECT_TRUE(TheReference().results.starts_with(results)) << context;
    EXPECT_EQ(ReadFile(dir.path() / "DIALOG.DAT"), TheReference().dialog) << context;
  }
}

// Standard output closed while the rows are being written: the run goes
// on (it writes nothing to the console meanwhile), and the closing message
// is the first write refused. The console comes first, so the results file
// holds every row and not the closing message.
TEST(FaultsUnderLoad, AClosedStandardOutputIsAReportedRefusalAndNoRowIsLost) {
  TheReference();
  std::mt19937 random(6262u);
  std::uniform_int_distribution<int> delay_ms(0, 300);
  const std::string& reference = TheReference().results;
  const std::string all_rows = reference.substr(0, reference.size() - kNormalEnd.size());
  for (int repeat = 0; repeat < kRepeats; ++repeat) {
    const int delay = delay_ms(random);
    const std::string context = "closed after " + std::to_string(delay) + " ms: ";
    TempDir dir;
    ProcessOptions options;
    options.output_pipe = true;
    ProgramProcess process(FLOODWAVE_EXE, dir.path(), kAnswers, options);
    ASSERT_TRUE(process.ReadOutputUntil(" NAME OF THE OUTPUT FILE ? = ", kRunLimit)) << context;
    std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    process.CloseOutput();
    const ProgramRun run = process.Finish(kRunLimit);

    ASSERT_FALSE(run.timed_out) << context;
    ASSERT_EQ(run.signal, 0) << context << "killed by the closed pipe";
    EXPECT_EQ(run.exit_status, 38) << context << run.err;
    const std::vector<std::string> err = testing::Lines(run.err);
    ASSERT_GE(err.size(), 3u) << context << run.err;
    EXPECT_EQ(err[0], "floodwave: Broken pipe") << context;
    EXPECT_EQ(err[1], "floodwave: severe (38): error during write, unit -1, file CONOUT$") << context;
    ExpectCallListing(err, 2, context);
    EXPECT_EQ(ReadFile(dir.path() / "R.TXT"), all_rows) << context;
    EXPECT_EQ(ReadFile(dir.path() / "DIALOG.DAT"), TheReference().dialog) << context;
  }
}

// An answer line longer than memory can hold (a binary file without line
// feeds given as the input): the line buffer cannot grow any more, and that
// is a failed read of the console, reported with the system's text, not an
// abort. 1 GB of NUL bytes (a sparse file) against 256 MB of address space.
TEST(FaultsUnderLoad, ALineLongerThanMemoryIsAReportedReadFailure) {
#if defined(FLOODWAVE_SANITIZED)
  GTEST_SKIP() << "the sanitizers reserve more address space than the limit";
#endif
  TempDir dir;
  TempDir input_dir;
  const std::filesystem::path input = input_dir.path() / "endless-line";
  { std::ofstream create(input, std::ios::binary); }
  std::filesystem::resize_file(input, 1ul << 30);
  ProcessOptions options;
  options.memory_limit = 256ul << 20;
  options.input_file = input;
  ProgramProcess process(FLOODWAVE_EXE, dir.path(), "", options);
  const ProgramRun run = process.Finish(kRunLimit);

  ASSERT_FALSE(run.timed_out);
  ASSERT_EQ(run.signal, 0) << run.err;
  EXPECT_EQ(run.exit_status, 39) << run.err;
  EXPECT_EQ(run.err,
            "floodwave: Cannot allocate memory\r\n"
            "floodwave: severe (39): error during read, unit -4, file CONIN$\r\n"
            "  in ReadFree\r\n  in AskNumber\r\n  in Dialogue\r\n  in floodwave\r\n");
  EXPECT_TRUE(ReadFile(dir.path() / "DIALOG.DAT").ends_with("B (m) = "));
}

}  // namespace
}  // namespace floodwave
