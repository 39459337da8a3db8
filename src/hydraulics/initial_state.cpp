// The initial uniform flow: H(1,i) = hn, U(1,i) = Uo, Q(1,i) = Qo.
#include "hydraulics/initial_state.h"

#include <algorithm>

namespace floodwave {

void SetInitialState(const RunData& run, FlowState& state) {
  const int NN = std::min(run.NN, kNodeCapacity);
  for (int i = 1; i <= NN; ++i) {
    state.h(FlowState::kCurrent, i) = run.hn;
    state.u(FlowState::kCurrent, i) = run.Uo;
    state.q(FlowState::kCurrent, i) = run.Qo;
  }
}

}  // namespace floodwave
