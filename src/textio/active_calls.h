// The chain of the program's own operations that are active, kept by the
// ActiveCall guards (declared in program_end.h) and listed after a report.
//
// The listing names the active calls innermost first, one line each, and
// always ends with the program itself:
//
//   floodwave: severe (24): end-of-file during read, unit -4, file CONIN$
//     in ReadFree
//     in AskNumber
//     in Dialogue
//     in floodwave
//
// Every line is two blanks, "in ", the name given to ActiveCall, CR LF.
// The chain holds up to kMaxActiveCalls calls; deeper calls are counted but
// not named, and the listing then begins with "  in (N more calls)".
#pragma once

#include "textio/report_text.h"

namespace floodwave::textio {

inline constexpr int kMaxActiveCalls = 32;

// Safe to call from the interrupt thread while the main thread enters and
// leaves calls: it lists a chain that was active a moment ago.
void AppendActiveCallListing(ReportText& out);

}  // namespace floodwave::textio
