// The run: from the initial uniform state at T = 0, steps of DT until the
// next time would pass TMAX. What is shown or written is the observer's
// business; the loop itself computes only.
#pragma once

#include "driver/run_state.h"
#include "hydraulics/run_observer.h"

namespace floodwave {

// Start, then for every time level T = 0, <T + DT>, ...: OfferTime(T), and
// unless T + DT passes TMAX, one step (inflow at the new time, upstream,
// interior with the run checks, downstream, new level into current level).
// Finished when TMAX is passed; Stopped, and return, when a run check fails
// or the time can no longer advance.
void MarchInTime(const RunData& run, FlowState& state, RunObserver& observer);

}  // namespace floodwave
