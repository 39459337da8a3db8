// The silent stop: nothing printed, exit status 0, every file complete as
// written, a line left open by a prompt left open.
#include <gtest/gtest.h>

#include <string>

#include "textio/probe_process.h"
#include "textio/probe_records.h"

namespace floodwave::textio {
namespace {

using testing::ReadFile;
using testing::RowPair;
using testing::RunProbe;
using testing::TempDir;

TEST(StopProgram, PrintsNothingAndCompletesEveryFile) {
  TempDir dir;
  const auto result = RunProbe(dir, {"start", "open", "7", "DIALOG.DAT", "line", "7", " FIRST", "prompt", "7",
                                     " PRESS RETURN TO FINISH THE PROGRAM.", "open", "5", "R.TXT", "rows", "5",
                                     "2000", "line", "-1", " NORMAL TERMINATION OF PROGRAM", "stop", "line",
                                     "-1", " NEVER"});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, " NORMAL TERMINATION OF PROGRAM\r\n");
  EXPECT_EQ(ReadFile(dir / "DIALOG.DAT"), " FIRST\r\n PRESS RETURN TO FINISH THE PROGRAM.");
  std::string rows;
  for (long i = 0; i < 2000; ++i) rows += RowPair(i);
  EXPECT_TRUE(ReadFile(dir / "R.TXT") == rows);
}

TEST(StopProgram, AStopWithNothingWrittenLeavesAnEmptyFile) {
  TempDir dir;
  const auto result = RunProbe(dir, {"start", "open", "7", "DIALOG.DAT", "stop"});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(ReadFile(dir / "DIALOG.DAT"), "");
}

}  // namespace
}  // namespace floodwave::textio
