// The prismatic trapezoidal section and the uniform-flow relations:
//
//   A  = (m*H + B)*H                       flow area
//   P  = B + (2*H)*sqrt(m*m + 1)           wetted perimeter
//   R  = <A / P>                           hydraulic radius, single precision
//   V  = (R^(2/3) * sqrt(Jf)) / n          Manning velocity
//   Qn = <A> * V                           Manning discharge
//   c  = sqrt(g*H)                         gravity-wave celerity
//
// <x> is x rounded to single precision. Everything else is double, in the
// written order: the printed results depend on the last bit.
#pragma once

#include <cmath>

#include "driver/run_state.h"

namespace floodwave {

// The section parameters as the run holds them, with the two square roots
// that depend only on them. The roots are the same double values whether
// they are taken once here or inside every formula.
struct Section {
  float B = 0;   // bottom width, m
  float m = 0;   // side slope
  float Jf = 0;  // bottom slope, the energy slope of the uniform flow
  float n = 0;   // Manning coefficient
  double side = 1;     // sqrt(m*m + 1), length of a side per unit of height
  double sqrtJf = 0;   // sqrt(Jf)
};

Section MakeSection(float B, float m, float Jf, float n);

// The single-precision exponents of the two powers of the computation.
inline constexpr float kTwoThirds = 2.0f / 3.0f;   // 0x3F2AAAAB
inline constexpr float kFourThirds = 4.0f / 3.0f;  // 0x3FAAAAAB

// The geometry is inline: the interior update evaluates it at every node
// and step.
inline double SectionArea(double H, const Section& s) {
  const double top = s.m * H + s.B;
  return top * H;
}

inline double WettedPerimeter(double H, const Section& s) {
  const double sides = (2.0 * H) * s.side;
  return s.B + sides;
}

inline float HydraulicRadius(double H, const Section& s) {
  const double A = SectionArea(H, s);
  const double P = WettedPerimeter(H, s);
  return static_cast<float>(A / P);
}

struct UniformFlow {
  double V;   // velocity, m/s, not rounded
  double Qn;  // discharge, m3/s, not rounded
};
UniformFlow ManningFlow(double H, const Section& s);

inline double WaveCelerity(double H) { return std::sqrt(g * H); }

}  // namespace floodwave
