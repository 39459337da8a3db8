// The upstream boundary condition: a triangular inflow hydrograph standing
// on the base flow Qo. It rises linearly to QMAX at t' = TPEAK, falls
// linearly back to Qo during t'' = TDECAY and stays at Qo afterwards.
#pragma once

namespace floodwave {

// The inflow at time T (the time of the new level), not rounded: node 1
// stores it rounded and divides it unrounded by the area.
double InflowHydrograph(float TPEAK, float QMAX, float TDECAY, float T,
                        float Qo);

}  // namespace floodwave
