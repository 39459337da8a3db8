// For each interior node i, with k-1, k, k+1 the current-level neighbours:
//
//   Hn = Hi + ((DT/DX)*0.5)*((Ui*(H(i-1) - H(i+1))) + (Hi*(U(i-1) - U(i+1))))
//   K  = <((((U(i-1) - U(i+1))*Ui) + ((H(i-1) - H(i+1))*g))*(DT/DX))*0.5
//         + (Ui + ((DT*g)*Jf))>
//   R  = <A(Hn) / P(Hn)>
//   F  = R^(4/3) / (((n*n)*g)*DT)
//   Un = (sqrt((4*K + F)*F) - F)*0.5      positive root of Un^2 + F*Un - F*K
//   c  = sqrt(g*<Hn>)
//   Q  = <Un*(<Hn>*<m*Hn + B>)>
//
// <x> is the rounding to single precision. The checks are ordered
// comparisons, so a not-a-number depth or velocity passes them.
#include "hydraulics/interior_nodes.h"

#include <cmath>

#include "hydraulics/power.h"
#include "hydraulics/section.h"

namespace floodwave {

namespace {
constexpr int kOld = FlowState::kCurrent;
constexpr int kNewLevel = FlowState::kNew;
}  // namespace

RunCheck UpdateInteriorNodes(const Scheme& s, FlowState& state) {
  for (int i = 2; i <= s.NN - 1; ++i) {
    const double Hm = state.h(kOld, i - 1);
    const double Hi = state.h(kOld, i);
    const double Hp = state.h(kOld, i + 1);
    const double Um = state.u(kOld, i - 1);
    const double Ui = state.u(kOld, i);
    const double Up = state.u(kOld, i + 1);

    const double dH = Hm - Hp;
    const double dU = Um - Up;
    const double flux = (Ui * dH) + (Hi * dU);
    const double Hn = Hi + (s.halfDTDX * flux);
    const float Hr = static_cast<float>(Hn);
    state.h(kNewLevel, i) = Hr;
    if (Hn <= 0) return RunCheck::kDepth;

    const double advection = ((dU * Ui) + (dH * g)) * s.DTDX;
    const double K = static_cast<float>((advection * 0.5) + (Ui + s.DTgJf));
    const float R = HydraulicRadius(Hn, s.section);
    const double p = PowF(R, kFourThirds);
    const double F = p / s.nngDT;
    const double Un = (std::sqrt(((4.0 * K) + F) * F) - F) * 0.5;
    state.u(kNewLevel, i) = static_cast<float>(Un);

    const double c = WaveCelerity(Hr);
    if (s.fourDT > s.DX / (c + std::fabs(Un))) return RunCheck::kCourant;

    const double top = static_cast<float>(s.section.m * Hn + s.section.B);
    state.q(kNewLevel, i) = static_cast<float>(Un * (Hr * top));
  }
  return RunCheck::kPassed;
}

}  // namespace floodwave
