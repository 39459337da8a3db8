// The run constants of the scheme; the groupings are those of the update
// formulas (see scheme.h), left to right.
#include "hydraulics/scheme.h"

#include <algorithm>

namespace floodwave {

Scheme MakeScheme(const RunData& run) {
  Scheme s;
  // The arrays hold kNodeCapacity nodes; a larger count never reaches them.
  s.NN = std::min(run.NN, kNodeCapacity);
  s.DT = run.DT;
  s.DX = run.DX;
  s.section = MakeSection(run.B, run.m, run.Jf, run.n);
  s.DTDX = s.DT / s.DX;
  s.halfDTDX = s.DTDX * 0.5;
  const double DTg = s.DT * g;
  s.DTgJf = DTg * run.Jf;
  const double nn = static_cast<double>(run.n) * run.n;
  const double nng = nn * g;
  s.nngDT = nng * s.DT;
  s.fourDT = 4.0 * s.DT;
  return s;
}

}  // namespace floodwave
