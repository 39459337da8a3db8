// The header page and the rows as they reach a real results file: written
// by a child process through the channel layer, which completes the file
// when the child stops, then read back byte for byte.
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <string>

#include <gtest/gtest.h>

#include "driver/run_state.h"
#include "report/header_page.h"
#include "report/station_row.h"
#include "support/worked_channel.h"
#include "textio/open_new.h"
#include "textio/program_end.h"

// Every allocation of this test program is counted, so that a child can
// check that writing rows allocates nothing.
namespace {
std::size_t g_allocations = 0;
}  // namespace

// Out of line, so that the compiler never pairs an inlined malloc or free
// with a new or delete expression.
[[gnu::noinline]] void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void* operator new[](std::size_t size) { return operator new(size); }
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete[](void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace floodwave {
namespace {

namespace fs = std::filesystem;

class ResultsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "floodwave-report-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    path_ = (fs::path(dir_) / "RESULTS.TXT").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs `write` in a child that has the results channel connected to a new
  // file, stops the child the way the program stops, and returns the file.
  template <class Write>
  std::string WrittenBy(Write write) {
    const pid_t child = fork();
    if (child == 0) {
      if (textio::OpenNew(kResultsChannel, path_, textio::OnError::kReturn) != 0) _exit(99);
      write();
      textio::StopProgram();
    }
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::string dir_;
  std::string path_;
};

RunData SmallRun() {
  RunData run = floodwave::testing::PublishedWorkedExample();
  run.DT = 0.7f;
  run.TMAX = 30;
  run.NFREQ = 5;
  return run;
}

TEST_F(ResultsFile, PageThenRowsAtTheOutputTimesOnly) {
  const RunData run = SmallRun();
  FlowState state;
  for (int node = 1; node <= 101; ++node) {
    state.q(FlowState::kCurrent, node) = 40.90665f;
    state.h(FlowState::kCurrent, node) = 2.5f;
    state.u(FlowState::kCurrent, node) = 1.090844f;
  }
  const std::string file = WrittenBy([&] {
    WriteHeaderPage(run, kResultsChannel);
    float T = 0;
    for (int step = 0; step <= 11; ++step) {
      WriteStationRow(T, run.DT, run.NFREQ, state, run.NSTAT, kResultsChannel);
      T = static_cast<float>(static_cast<double>(T) + static_cast<double>(run.DT));
    }
  });

  // 24 records of 131 characters, the blank lines included.
  const std::string blank_line(131, ' ');
  const HeaderPage page = BuildHeaderPage(run);
  std::string expected;
  for (const HeaderLine& line : page) expected += std::string(line.data(), 131) + "\r\n";
  ASSERT_GE(file.size(), 24u * 133u);
  EXPECT_EQ(file.substr(0, 24 * 133), expected);
  EXPECT_EQ(file.substr(2 * 133, 133), blank_line + "\r\n");
  EXPECT_EQ(file.substr(19 * 133, 133), blank_line + "\r\n");

  // Steps 0, 5, 6 and 11: T = 0.00, 3.50 and 4.20 (both k = 5), 7.70.
  const std::string stations =
      "         40.907      2.500      1.091         40.907      2.500      1.091"
      "         40.907      2.500      1.091\r\n";
  EXPECT_EQ(file.substr(24 * 133), "         0.00" + stations + "         3.50" + stations +
                                       "         4.20" + stations + "         7.70" + stations);
}

TEST_F(ResultsFile, NothingButThePageWhenNoTimeIsAnOutputTime) {
  RunData run = SmallRun();
  run.NFREQ = 1000;
  FlowState state;
  const std::string file = WrittenBy([&] {
    WriteHeaderPage(run, kResultsChannel);
    for (float T : {0.7f, 1.4f, 699.3f}) {
      WriteStationRow(T, run.DT, run.NFREQ, state, run.NSTAT, kResultsChannel);
    }
  });
  EXPECT_EQ(file.size(), 24u * 133u);
}

TEST_F(ResultsFile, RowsAllocateNothing) {
  RunData run = SmallRun();
  run.DT = 1;
  run.NFREQ = 1;
  FlowState state;
  constexpr int kRows = 20000;
  const std::string file = WrittenBy([&] {
    WriteHeaderPage(run, kResultsChannel);
    // The first row may connect what the channel needs; none after it may
    // allocate.
    WriteStationRow(0, run.DT, run.NFREQ, state, run.NSTAT, kResultsChannel);
    const std::size_t before = g_allocations;
    for (int step = 1; step < kRows; ++step) {
      WriteStationRow(static_cast<float>(step), run.DT, run.NFREQ, state, run.NSTAT,
                      kResultsChannel);
    }
    if (g_allocations != before) _exit(97);
  });
  EXPECT_EQ(file.size(), 24u * 133u + kRows * 126u);
}

}  // namespace
}  // namespace floodwave
