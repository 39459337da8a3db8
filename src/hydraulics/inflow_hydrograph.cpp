// Qin(T) = ((QMAX - Qo)*T)/TPEAK + Qo               while T <= TPEAK
//        = QMAX - ((T - TPEAK)*(QMAX - Qo))/TDECAY  while T < TPEAK + TDECAY
//        = Qo                                       afterwards
// The tests are ordered comparisons in this order: at T = TPEAK the rising
// limb gives QMAX, at T = TPEAK + TDECAY the base flow is exact.
#include "hydraulics/inflow_hydrograph.h"

namespace floodwave {

double InflowHydrograph(float TPEAK, float QMAX, float TDECAY, float T,
                        float Qo) {
  if (TPEAK >= T) {
    const double rise = static_cast<double>(QMAX) - Qo;
    return ((rise * T) / TPEAK) + Qo;
  }
  const double end = static_cast<double>(TPEAK) + TDECAY;
  if (TPEAK < T && end > T) {
    const double elapsed = static_cast<double>(T) - TPEAK;
    const double rise = static_cast<double>(QMAX) - Qo;
    return QMAX - ((elapsed * rise) / TDECAY);
  }
  return Qo;
}

}  // namespace floodwave
