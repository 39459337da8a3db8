// The channel before the wave: the uniform flow found by the dialogue,
// H = hn, U = Uo, Q = Qo, at every node of the current level.
#pragma once

#include "driver/run_state.h"

namespace floodwave {

// Fills level 1 of nodes 1 to run.NN. Does nothing for NN <= 0; an NN above
// the node capacity fills the capacity only.
void SetInitialState(const RunData& run, FlowState& state);

}  // namespace floodwave
