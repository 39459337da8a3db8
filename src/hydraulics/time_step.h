// One time step of the whole channel, from the current level at the old
// time to the current level at the new time T: the inflow at T, node 1,
// the interior nodes with their run checks, node NN, and the new level
// made current.
#pragma once

#include "driver/run_state.h"
#include "hydraulics/interior_nodes.h"
#include "hydraulics/scheme.h"

namespace floodwave {

// `s` is MakeScheme(run). On a failed run check the step ends at once: the
// downstream node is not updated and the current level keeps the old time.
RunCheck TakeTimeStep(const RunData& run, const Scheme& s, float T,
                      FlowState& state);

}  // namespace floodwave
