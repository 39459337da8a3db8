// The interior nodes 2 to NN-1: explicit, forward in time and centred in
// space, for the unsteady flow equations in depth H and velocity U:
//
//   dH/dt + U*dH/dx + H*dU/dx = 0
//   dU/dt + U*dU/dx + g*dH/dx = g*Jf - g*n^2*U^2 / R^(4/3)
//
// with the friction taken at the new velocity (the positive root of a
// quadratic), and the two run checks: the new depth stays above zero, and
// 4*DT <= DX / (c + |Un|) at every node.
#pragma once

#include "driver/run_state.h"
#include "hydraulics/scheme.h"

namespace floodwave {

enum class RunCheck {
  kPassed,   // every interior node computed
  kDepth,    // a new depth was zero or negative
  kCourant,  // the Courant condition failed
};

// Reads level 1, writes level 2 of nodes 2 to NN-1 in increasing order. On
// a failed check it returns at once: the failing node keeps its new depth
// (and, for the Courant check, its new velocity); nothing after that is
// written. Not-a-number values pass both checks. No node when NN < 3.
RunCheck UpdateInteriorNodes(const Scheme& s, FlowState& state);

// The same for a single call; the time loop forms the scheme once per run.
inline RunCheck UpdateInteriorNodes(const RunData& run, FlowState& state) {
  return UpdateInteriorNodes(MakeScheme(run), state);
}

}  // namespace floodwave
