// Section geometry and Manning's relation for the uniform flow; see
// section.h for the formulas. Out-of-range values are not checked: they
// give infinities and not-a-numbers that the callers pass on.
#include "hydraulics/section.h"

#include <cmath>

#include "driver/run_state.h"
#include "hydraulics/power.h"

namespace floodwave {

Section MakeSection(float B, float m, float Jf, float n) {
  Section s;
  s.B = B;
  s.m = m;
  s.Jf = Jf;
  s.n = n;
  const double mm = static_cast<double>(m) * m;
  s.side = std::sqrt(mm + 1.0);
  s.sqrtJf = std::sqrt(static_cast<double>(Jf));
  return s;
}

UniformFlow ManningFlow(double H, const Section& s) {
  const double A = SectionArea(H, s);
  const double P = WettedPerimeter(H, s);
  const float R = static_cast<float>(A / P);
  const double p = PowF(R, kTwoThirds);
  const double V = (p * s.sqrtJf) / s.n;
  const double Qn = static_cast<float>(A) * V;
  return {V, Qn};
}

}  // namespace floodwave
