// Upstream, node 1:
//   Hn = H1 + ((((H1 - H2)*U1) + ((U1 - U2)*H1))*(DT/DX))
//   H(2,1) = <Hn>,  Q(2,1) = <Qin>,  U(2,1) = <Qin / ((m*Hn + B)*Hn)>
// Downstream, node N = NN:
//   Hn = HN + ((((H(N-1) - HN)*UN) + ((U(N-1) - UN)*HN))*(DT/DX))
//   H(2,N) = <Hn>,  U(2,N) = <V>,  Q(2,N) = <Qn>  with Manning at Hn
// <x> is the rounding to single precision; Hn and Qin stay unrounded.
#include "hydraulics/boundary_nodes.h"

#include "hydraulics/section.h"

namespace floodwave {

namespace {
constexpr int kOld = FlowState::kCurrent;
constexpr int kNewLevel = FlowState::kNew;
}  // namespace

void UpdateUpstreamNode(const Scheme& s, double Qin, FlowState& state) {
  if (s.NN < 2) return;
  const double H1 = state.h(kOld, 1);
  const double H2 = state.h(kOld, 2);
  const double U1 = state.u(kOld, 1);
  const double U2 = state.u(kOld, 2);
  const double flux = ((H1 - H2) * U1) + ((U1 - U2) * H1);
  const double Hn = H1 + (flux * s.DTDX);
  state.h(kNewLevel, 1) = static_cast<float>(Hn);
  state.q(kNewLevel, 1) = static_cast<float>(Qin);
  const double A = SectionArea(Hn, s.section);
  state.u(kNewLevel, 1) = static_cast<float>(Qin / A);
}

void UpdateDownstreamNode(const Scheme& s, FlowState& state) {
  const int N = s.NN;
  if (N < 2) return;
  const double HN = state.h(kOld, N);
  const double HM = state.h(kOld, N - 1);
  const double UN = state.u(kOld, N);
  const double UM = state.u(kOld, N - 1);
  const double flux = ((HM - HN) * UN) + ((UM - UN) * HN);
  const double Hn = HN + (flux * s.DTDX);
  state.h(kNewLevel, N) = static_cast<float>(Hn);
  const UniformFlow flow = ManningFlow(Hn, s.section);
  state.u(kNewLevel, N) = static_cast<float>(flow.V);
  state.q(kNewLevel, N) = static_cast<float>(flow.Qn);
}

}  // namespace floodwave
