// Console interrupts. The signals that stand for them are blocked in every
// thread and taken by sigwait on a thread of their own, so that the report,
// the completion of the channels and the end of the process happen in
// ordinary code, never in an asynchronous signal handler:
//
//   SIGINT            "control-C"      exit status 0
//   SIGQUIT           "control-BREAK"  exit status 1
//   SIGHUP, SIGTERM   "window-CLOSE"   exit status 2
//
// The report is number 200, severity error, with the listing of active
// calls; then every channel is completed and closed and the process ends
// with _exit (the main thread is still running, so no destructors may run).
#pragma once

#include <string_view>

namespace floodwave::textio {

struct InterruptEvent {
  std::string_view word;
  int exit_status;
};

// The event a signal stands for; an unknown signal counts as closing the
// window.
InterruptEvent EventOfSignal(int signal_number);

// Blocks the interrupt signals in the calling thread (and so in every
// thread it creates later) and starts the thread that waits for them. A
// signal found ignored at start-up (a run under nohup, a background job)
// is left ignored.
// Called before any other thread exists. If the thread cannot be started,
// the signals are left to their default action: the program still stops.
void StartInterruptThread();

}  // namespace floodwave::textio
