// The order of one step: inflow at the new time, upstream, interior,
// downstream, then level 2 into level 1 at nodes 1 to NN. The updates read
// only level 1, so this order changes no value; it decides only what has
// been written when a run check fails.
#include "hydraulics/time_step.h"

#include "hydraulics/boundary_nodes.h"
#include "hydraulics/inflow_hydrograph.h"

namespace floodwave {

namespace {

void CopyNewLevel(int NN, FlowState& state) {
  for (int i = 1; i <= NN; ++i) {
    state.h(FlowState::kCurrent, i) = state.h(FlowState::kNew, i);
    state.u(FlowState::kCurrent, i) = state.u(FlowState::kNew, i);
    state.q(FlowState::kCurrent, i) = state.q(FlowState::kNew, i);
  }
}

}  // namespace

RunCheck TakeTimeStep(const RunData& run, const Scheme& s, float T,
                      FlowState& state) {
  const double Qin =
      InflowHydrograph(run.TPEAK, run.QMAX, run.TDECAY, T, run.Qo);
  UpdateUpstreamNode(s, Qin, state);
  const RunCheck check = UpdateInteriorNodes(s, state);
  if (check != RunCheck::kPassed) return check;
  UpdateDownstreamNode(s, state);
  CopyNewLevel(s.NN, state);
  return RunCheck::kPassed;
}

}  // namespace floodwave
