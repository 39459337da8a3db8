// The rare cases of the single-precision power that the fast path cannot
// round: exact results, and the accurate double-double evaluation.
#pragma once

#include <cstdint>

#include "hydraulics/power_tables.h"

namespace floodwave::power_detail {

// When ax^y (ax > 0 finite, y finite and nonzero) is a dyadic number exactly
// representable as a double, sets result to its nearest float (ties to even)
// and returns true. This settles every x^y that is a float or exactly
// halfway between two floats, the only cases no approximation can round.
bool ExactPow(float ax, float y, float& result);

// ax^y as hi + lo within a relative 2^-91.6 (ix as for FastApprox); 2^200 and
// 2^-200 stand for overflow and for results that round to zero.
DoubleDouble AccurateApprox(std::uint32_t ix, float y);

// Evaluates ax^y with a relative error below 2^-91 (ix as for FastApprox) and
// sets result to its nearest float. Returns false in the one case it cannot
// settle: the approximation lies within its error bound of a midpoint
// between two floats (never met outside the exact cases above).
bool AccuratePow(std::uint32_t ix, float y, float& result);

// The magnitude of ax^y when the fast path declined.
float SlowPow(float ax, std::uint32_t ix, float y);

}  // namespace floodwave::power_detail
