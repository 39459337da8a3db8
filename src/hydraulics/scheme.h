// The constants of the explicit scheme for one run, formed once from the
// run data. Each is a group that the update formulas form in exactly this
// way, so taking it once gives the same double as forming it at every node:
//
//   DTDX     = DT/DX                 (continuity at the ends, momentum)
//   halfDTDX = (DT/DX)*0.5           (continuity at the interior nodes)
//   DTgJf    = (DT*g)*Jf             (bottom slope in the momentum update)
//   nngDT    = ((n*n)*g)*DT          (friction factor denominator)
//   fourDT   = 4*DT                  (Courant check)
#pragma once

#include <cstdint>

#include "driver/run_state.h"
#include "hydraulics/section.h"

namespace floodwave {

struct Scheme {
  std::int32_t NN = 0;  // nodes in use, never above the node capacity
  double DT = 0;
  double DX = 0;
  Section section;
  double DTDX = 0;
  double halfDTDX = 0;
  double DTgJf = 0;
  double nngDT = 0;
  double fourDT = 0;
};

Scheme MakeScheme(const RunData& run);

}  // namespace floodwave
