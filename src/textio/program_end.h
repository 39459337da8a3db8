// How the program ends: the silent stop, the fatal report and the closing
// of every channel.
#pragma once

namespace floodwave::textio {

// Sets up the text layer: console interrupts are delivered on a thread of
// their own, and a closed pipe on a write is a refused write. Called once,
// first thing in the program.
void StartTextLayer();

// Ends the process with exit status 0, printing nothing, after completing
// and closing every channel.
[[noreturn]] void StopProgram();

// Writes the report of `number` about channel `unit` to standard error and,
// for a severe number, completes every channel and ends the process with
// that number as exit status. `system_error` is the system's error code
// behind the failure, or 0 when there is none.
[[noreturn]] void FatalReport(int number, int unit, int system_error = 0);

// Writes out every connected channel's buffer and releases its file.
void CloseAll();

// Marks one of the program's own operations as active, for the listing of
// active calls that follows a report. Use as a local: ActiveCall call("AskNumber");
class ActiveCall {
 public:
  explicit ActiveCall(const char* name);
  ~ActiveCall();
  ActiveCall(const ActiveCall&) = delete;
  ActiveCall& operator=(const ActiveCall&) = delete;
};

}  // namespace floodwave::textio
