// Layouts written to real channels by a real process: the console and a
// new file receive exactly the composed bytes, writes that leave a line
// open are continued by the next write, and long texts are not cut.
#include <gtest/gtest.h>

#include <string>

#include "support/program_run.h"

namespace floodwave::textio {
namespace {

std::string ExpectedSequence() {
  const std::string q = "         40.907      2.500      1.091";
  return " TIME TO THE PEAK ?          t' (s) = "
         " ATTENTION ! ...\r\n"
         " FOR t > (t' + t'') =   2400.000 (s), IT IS ASSUMED THAT Q = Qo\r\n"
         "\r\n\r\n\r\n"
         "\r\n\r\n NAME OF THE OUTPUT FILE ? = "
         "\r\n\r\n NAME OF THE OUTPUT FILE ? = "
         " \r\n"
         " PRESS RETURN TO FINISH THE PROGRAM.\r\n"
         " " + std::string(300, 'w') + "\r\n" +
         std::string(131, ' ') + "\r\n" +
         std::string(1000, 'a') + "\r\n" +
         "         0.00" + q + q + q + "\r\n" +
         " NN = 101"
         "\r\n\r\n NORMAL TERMINATION OF PROGRAM\r\n";
}

TEST(LayoutWrite, ConsoleAndFileReceiveTheComposedBytes) {
  floodwave::testing::TempDir dir;
  const auto run = floodwave::testing::RunProgram(FLOODWAVE_PROBE_DIR "/layout_write_probe",
                                                  dir.path(), "");
  ASSERT_EQ(run.exit_status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::string expected = ExpectedSequence();
  EXPECT_EQ(run.out, expected);
  EXPECT_EQ(floodwave::testing::ReadFile(dir.path() / "RESULTS"), expected);
}

}  // namespace
}  // namespace floodwave::textio
