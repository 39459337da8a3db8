#include "report/station_row.h"

#include <cstddef>
#include <limits>

#include "textio/program_end.h"

namespace floodwave {
namespace {

constexpr std::int32_t kOutOfRange = std::numeric_limits<std::int32_t>::min();

// Exclusive bounds of the quotients whose truncation is a 32-bit integer;
// both are exact in double.
constexpr double kBelowLowest = -2147483649.0;
constexpr double kAboveHighest = 2147483648.0;

}  // namespace

std::int32_t StepFromTime(float T, float DT) {
  const double quotient = static_cast<double>(T) / static_cast<double>(DT);
  // Written so that NaN takes the out-of-range branch.
  if (!(quotient > kBelowLowest && quotient < kAboveHighest)) return kOutOfRange;
  return static_cast<std::int32_t>(quotient);
}

bool IsOutputTime(float T, float DT, std::int32_t NFREQ) {
  if (NFREQ < 1) return false;
  // Every step number is a multiple of 1: a row at every time level needs
  // no division.
  if (NFREQ == 1) return true;
  return StepFromTime(T, DT) % NFREQ == 0;
}

std::array<float, 10> StationRowValues(float T, const FlowState& state,
                                       const std::array<std::int32_t, 3>& NSTAT) {
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  std::array<float, 10> values{T, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN};
  for (std::size_t k = 0; k < NSTAT.size(); ++k) {
    const std::int32_t node = NSTAT[k];
    if (node < 1 || node > kNodeCapacity) continue;
    values[1 + 3 * k] = state.q(FlowState::kCurrent, node);
    values[2 + 3 * k] = state.h(FlowState::kCurrent, node);
    values[3 + 3 * k] = state.u(FlowState::kCurrent, node);
  }
  return values;
}

void WriteStationRow(float T, float DT, std::int32_t NFREQ, const FlowState& state,
                     const std::array<std::int32_t, 3>& NSTAT, int unit) {
  if (!IsOutputTime(T, DT, NFREQ)) return;
  const textio::ActiveCall call("WriteStationRow");
  const std::array<float, 10> v = StationRowValues(T, state, NSTAT);
  textio::WriteLayout(unit, kStationRow, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7],
                      v[8], v[9]);
}

}  // namespace floodwave
