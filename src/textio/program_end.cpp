#include "textio/program_end.h"

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <mutex>

#include "textio/channel_table.h"
#include "textio/end_claim.h"
#include "textio/interrupt_thread.h"
#include "textio/message_catalogue.h"
#include "textio/report_output.h"

namespace floodwave::textio {

namespace {

// How long the end waits for a channel that another thread is writing; a
// write stuck longer than this in a system call is given up.
constexpr std::chrono::milliseconds kChannelLockWait{2000};

void IgnoreSignal(int signal_number) {
  struct sigaction action {};
  action.sa_handler = SIG_IGN;
  sigemptyset(&action.sa_mask);
  sigaction(signal_number, &action, nullptr);
}

}  // namespace

void StartTextLayer() {
  static std::once_flag started;
  std::call_once(started, [] {
    // A closed pipe and a file-size limit must come back from write as
    // errors (a refused write, reported), not kill the process unreported.
    IgnoreSignal(SIGPIPE);
    IgnoreSignal(SIGXFSZ);
    StartInterruptThread();
  });
}

void CloseAll() {
  RefusedWrite refused[kOutputChannelCount];
  const int count = CompleteChannels(kChannelLockWait, refused);
  // What a channel still held could not be stored: that is a refused write,
  // whichever way the program was ending.
  for (int i = 0; i < count; ++i) {
    WriteReport(kWriteError, refused[i].unit, ChannelName(refused[i].unit), refused[i].error);
  }
  if (count > 0) _exit(kWriteError);
}

void StopProgram() {
  switch (ClaimEnd(Ender::kMainThread)) {
    case Ender::kNone: break;
    case Ender::kMainThread: _exit(0);
    case Ender::kInterruptThread: WaitForEnd();
  }
  CloseAll();
  _exit(0);
}

void FatalReport(int number, int unit, int system_error) {
  const Ender earlier = ClaimEnd(Ender::kMainThread);
  if (earlier == Ender::kInterruptThread) WaitForEnd();
  WriteReport(number, unit, ChannelName(unit), system_error);
  // A failure met while the program was already ending: the channels are
  // being completed further up, nothing more can be done for them.
  if (earlier == Ender::kMainThread) _exit(number);
  CloseAll();
  _exit(number);
}

}  // namespace floodwave::textio
