// The whole question-and-answer dialogue: channel, hydrograph, grid, time
// step, duration, stations, frequency and results file, each asked in a
// fixed order and asked again, silently, until its answer is accepted.
#pragma once

#include "driver/run_state.h"

namespace floodwave {

// Fills every field of `run`. When it returns, DIALOG.DAT holds the copy of
// the dialogue and the results file has been created, empty, on the results
// channel.
void Dialogue(RunData& run);

// The three stretches of the dialogue, in the order Dialogue runs them.
void AskChannel(RunData& run);
void AskHydrograph(RunData& run);
void AskGrid(RunData& run);    // space division, time step, duration
void AskOutput(RunData& run);  // stations, frequency, results file

}  // namespace floodwave
