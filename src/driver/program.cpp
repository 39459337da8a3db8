#include "driver/program.h"

#include "dialogue/dialogue.h"
#include "driver/run_output.h"
#include "driver/run_state.h"
#include "hydraulics/initial_state.h"
#include "hydraulics/march_in_time.h"
#include "textio/program_end.h"

namespace floodwave {
namespace {

// The run state lives for the whole program; the flow arrays are never
// allocated or resized.
RunData run;
FlowState state;

}  // namespace

void RunProgram() {
  textio::StartTextLayer();
  Dialogue(run);
  SetInitialState(run, state);
  RunOutput output(run);
  {
    const textio::ActiveCall call("MarchInTime");
    MarchInTime(run, state, output);
  }
  textio::StopProgram();
}

}  // namespace floodwave
