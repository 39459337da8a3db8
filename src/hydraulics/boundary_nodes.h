// The two ends of the channel. At both, the new depth comes from the
// continuity equation dH/dt + U*dH/dx + H*dU/dx = 0 with a one-sided
// difference looking into the channel (forward at node 1, backward at node
// NN). Upstream the discharge is the inflow hydrograph; downstream the flow
// is taken as uniform at the new depth (Manning). Neither end is checked.
// Both read level 1 only and write level 2 only.
#pragma once

#include "driver/run_state.h"
#include "hydraulics/scheme.h"

namespace floodwave {

// Node 1 with the inflow Qin (unrounded). Nothing when NN < 2.
void UpdateUpstreamNode(const Scheme& s, double Qin, FlowState& state);

// Node NN. Nothing when NN < 2.
void UpdateDownstreamNode(const Scheme& s, FlowState& state);

// The same for a single call; the time loop forms the scheme once per run.
inline void UpdateUpstreamNode(const RunData& run, double Qin,
                               FlowState& state) {
  UpdateUpstreamNode(MakeScheme(run), Qin, state);
}
inline void UpdateDownstreamNode(const RunData& run, FlowState& state) {
  UpdateDownstreamNode(MakeScheme(run), state);
}

}  // namespace floodwave
