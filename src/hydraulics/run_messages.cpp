// The end of a run as the user sees it. The block goes to the console
// first, so that the user reads it even if the results file then refuses
// the write.
#include "hydraulics/run_messages.h"

#include <span>

#include "driver/run_state.h"
#include "textio/free_input.h"
#include "textio/output_channel.h"
#include "textio/program_end.h"

namespace floodwave {

namespace {

template <class Block>
void ToConsoleAndResults(const Block& block) {
  textio::WriteLayout(textio::kConsoleOutput, block);
  textio::WriteLayout(kResultsChannel, block);
}

}  // namespace

void ShowRunStop(RunStop why) {
  textio::ActiveCall call("ShowRunStop");
  switch (why) {
    case RunStop::kDepth:
      ToConsoleAndResults(run_messages::kDepthStop);
      break;
    case RunStop::kCourant:
      ToConsoleAndResults(run_messages::kCourantStop);
      break;
    case RunStop::kTimeFrozen:
      ToConsoleAndResults(run_messages::kTimeFrozenStop);
      break;
  }
  textio::WriteFree(textio::kConsoleOutput, run_messages::kPressReturn);
  textio::ReadFree(std::span<const textio::FreeItem>{},
                   textio::ReadErrors::kEndProgram);
  textio::StopProgram();
}

void ShowNormalEnd() {
  textio::ActiveCall call("ShowNormalEnd");
  ToConsoleAndResults(run_messages::kNormalEnd);
}

}  // namespace floodwave
