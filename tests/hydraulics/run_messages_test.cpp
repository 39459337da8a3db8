// The bytes of the blocks that end a run. Showing them on the console and
// in the results file, the pause and the stop are exercised end to end with
// the whole program.
#include "hydraulics/run_messages.h"

#include <string>

#include <gtest/gtest.h>

#include "textio/layout.h"

namespace floodwave {
namespace {

using textio::FormatFree;
using textio::FormatLayout;

TEST(RunMessages, StopBlocksAreSevenRecords) {
  const std::string tail =
      "\r\n TRY TO RESTART THE PROGRAM USING\r\n A SMALLER TIME STEP\r\n"
      "\r\n END OF PROGRAM !\r\n\r\n\r\n";
  EXPECT_EQ(FormatLayout(run_messages::kDepthStop),
            " ERROR ! THE COMPUTED DEPTH IS NEGATIVE !" + tail);
  EXPECT_EQ(FormatLayout(run_messages::kCourantStop),
            " ERROR ! THE COURANT CONDITION IS NOT MET" + tail);
  EXPECT_EQ(FormatLayout(run_messages::kTimeFrozenStop),
            " ERROR ! THE TIME STEP IS TOO SMALL FOR THIS DURATION\r\n"
            " TRY TO RESTART THE PROGRAM USING\r\n"
            " A LARGER TIME STEP OR A SHORTER DURATION\r\n"
            "\r\n END OF PROGRAM !\r\n\r\n\r\n");
}

TEST(RunMessages, PauseAndNormalEnd) {
  EXPECT_EQ(FormatFree(run_messages::kPressReturn),
            " PRESS RETURN TO FINISH THE PROGRAM.\r\n");
  EXPECT_EQ(std::string(run_messages::kPressReturn).size(), 35u);
  EXPECT_EQ(FormatLayout(run_messages::kNormalEnd),
            "\r\n\r\n NORMAL TERMINATION OF PROGRAM\r\n");
}

}  // namespace
}  // namespace floodwave
