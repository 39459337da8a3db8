// The header page of the results file: the 24-line template with the run
// data edited into it, written before the first station row.
#pragma once

#include <cstdint>

#include "driver/run_state.h"
#include "report/header_template.h"

namespace floodwave {

// The page in memory: the template with its 24 fields filled from `run`.
// NDIV, OUTFILE and the flow state are not read: the page shows NN - 1 as
// the number of steps, and X of station k as (NSTAT(k) - 1) * DX.
HeaderPage BuildHeaderPage(const RunData& run);

// Distance of node `node` from the upstream end, as the page shows it: the
// node count converted to double, the product in double, rounded once.
float StationDistance(std::int32_t node, float DX);

// Writes the page to `unit` as 24 records of exactly 131 characters each,
// trailing blanks and the blank lines included.
void WriteHeaderPage(const RunData& run, int unit);

}  // namespace floodwave
