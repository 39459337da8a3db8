#include "dialogue/dialogue.h"

#include "dialogue/dialogue_channel.h"
#include "textio/program_end.h"

namespace floodwave {

void Dialogue(RunData& run) {
  const textio::ActiveCall call("Dialogue");
  OpenLog();
  WriteOpening();
  AskChannel(run);
  AskHydrograph(run);
  AskGrid(run);
  AskOutput(run);
}

}  // namespace floodwave
