// The console interrupts and what each must give: the event word of the
// report and the exit status.
#pragma once

#include <signal.h>

#include <string>

namespace floodwave::testing {

struct ConsoleEvent {
  int signal_number;
  std::string word;
  int exit_status;
};

inline const ConsoleEvent kConsoleEvents[] = {
    {SIGINT, "control-C", 0},
    {SIGQUIT, "control-BREAK", 1},
    {SIGHUP, "window-CLOSE", 2},
    {SIGTERM, "window-CLOSE", 2},
};

}  // namespace floodwave::testing
