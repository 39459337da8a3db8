// Station rows of the results file: the time and the discharge, depth and
// velocity at the three output stations, one record per output time.
#pragma once

#include <array>
#include <cstdint>

#include "driver/run_state.h"
#include "textio/layout.h"

namespace floodwave {

// 3X,F10.2,3(5X,F10.3,1X,F10.3,1X,F10.3): T, then Q, H, U of each station.
// One record of 124 characters; the decimal points fall in columns 11, 25,
// 36, 47, 62, 73, 84, 99, 110 and 121, under the headings of the page.
inline constexpr textio::Layout<
    textio::X<3>, textio::F<10, 2>,
    textio::Group<3, textio::X<5>, textio::F<10, 3>, textio::X<1>, textio::F<10, 3>,
                  textio::X<1>, textio::F<10, 3>>>
    kStationRow{};

// The step number as seen from the time: T / DT in double, truncated toward
// zero. The time is an accumulated float, so the quotient of step s may lie
// just below s and give s - 1. A quotient with no 32-bit value (NaN, an
// infinity, or beyond +-2^31) gives -2147483648, as every out-of-range
// conversion to a 32-bit integer does in this program; a run never gets
// there, since its time stops advancing long before 2^31 steps.
std::int32_t StepFromTime(float T, float DT);

// Whether the time level T gets a row: its step number is a whole multiple
// of NFREQ. An NFREQ below 1 (the dialogue never lets one through) never
// gives a row, rather than dividing by zero.
bool IsOutputTime(float T, float DT, std::int32_t NFREQ);

// The ten values of a row in layout order: T, then Q, H, U at the current
// level of nodes NSTAT(1), NSTAT(2), NSTAT(3). A station outside the node
// capacity (the dialogue keeps them within 1..NN) shows NaN rather than
// memory beyond the arrays.
std::array<float, 10> StationRowValues(float T, const FlowState& state,
                                       const std::array<std::int32_t, 3>& NSTAT);

// Writes the row of time T to `unit` when T is an output time; otherwise
// writes nothing.
void WriteStationRow(float T, float DT, std::int32_t NFREQ, const FlowState& state,
                     const std::array<std::int32_t, 3>& NSTAT, int unit);

}  // namespace floodwave
