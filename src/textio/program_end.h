// How the program ends: the silent stop, the fatal report and the closing
// of every channel.
#pragma once

namespace floodwave::textio {

// Sets up the text layer: console interrupts are delivered on a thread of
// their own (interrupt_thread.h), and a closed pipe or a file-size limit on
// a write is a refused write. Called once, first thing in the program,
// before any other thread exists.
void StartTextLayer();

// Ends the process with exit status 0, printing nothing, after completing
// and closing every channel.
[[noreturn]] void StopProgram();

// Writes the report of `number` about channel `unit` to standard error and,
// for a severe number, completes every channel and ends the process with
// that number as exit status. `system_error` is the system's error code
// behind the failure, or 0 when there is none. Report numbers and the
// format of the lines are in message_catalogue.h, the listing of active
// calls that follows in active_calls.h.
//
// Every report through this function ends the process, whatever its
// severity: the only report that lets the program go on would be an error,
// and the one error this program has (200) comes from the interrupt thread,
// which ends the process too.
[[noreturn]] void FatalReport(int number, int unit, int system_error = 0);

// Writes out every connected channel's buffer and releases its file; adds
// nothing (a line left open stays open) and leaves the console open. If the
// system refuses to store what a channel held, reports 38 about it, closes
// the rest and ends the process with exit status 38.
void CloseAll();

// Marks one of the program's own operations as active, for the listing of
// active calls that follows a report. Use as a local: ActiveCall call("AskNumber");
// The name must be a string literal (the interrupt thread may read it at
// any time). The program itself is always the last line of the listing:
// do not mark it.
class ActiveCall {
 public:
  explicit ActiveCall(const char* name);
  ~ActiveCall();
  ActiveCall(const ActiveCall&) = delete;
  ActiveCall& operator=(const ActiveCall&) = delete;
};

}  // namespace floodwave::textio
