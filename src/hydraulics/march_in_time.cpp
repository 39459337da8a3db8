// Time marching. T is a single-precision time advanced by T = <T + DT>,
// so it carries the rounding of every step; the output test of the station
// rows depends on exactly that sequence of times.
//
// Two guards that leave every finite, advancing run unchanged:
// - the loop ends when S = T + DT is not at or below TMAX, which for finite
//   values is S > TMAX, and also ends a run whose DT or TMAX is not a number;
// - when <T + DT> gives back T while TMAX is not passed, the time has frozen
//   (DT is below half the float spacing at T, or DT is not above zero): every
//   further pass would repeat the same one, so the run stops instead.
#include "hydraulics/march_in_time.h"

#include "hydraulics/scheme.h"
#include "hydraulics/time_step.h"

namespace floodwave {

void MarchInTime(const RunData& run, FlowState& state, RunObserver& observer) {
  const Scheme scheme = MakeScheme(run);
  observer.Start();
  float T = 0;
  for (;;) {
    observer.OfferTime(T, state);
    const double S = static_cast<double>(T) + run.DT;
    const float next = static_cast<float>(S);
    if (!(S <= run.TMAX)) break;
    if (next == T) {
      observer.Stopped(RunStop::kTimeFrozen);
      return;
    }
    T = next;
    const RunCheck check = TakeTimeStep(run, scheme, T, state);
    if (check == RunCheck::kDepth) {
      observer.Stopped(RunStop::kDepth);
      return;
    }
    if (check == RunCheck::kCourant) {
      observer.Stopped(RunStop::kCourant);
      return;
    }
  }
  observer.Finished();
}

}  // namespace floodwave
