#include "textio/interrupt_thread.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "textio/end_claim.h"
#include "textio/message_catalogue.h"
#include "textio/program_end.h"
#include "textio/report_output.h"

namespace floodwave::textio {

namespace {

// How long an interrupt lets an end that the main thread has begun finish
// on its own before it ends the process itself.
constexpr std::chrono::seconds kEndInProgressWait{5};

// The signals the interrupt thread waits for, fixed before it starts.
sigset_t g_signals;

// A signal that whoever started the program set to be ignored (nohup, a
// background job of a shell) stays ignored: blocking it would make sigwait
// take it after all.
sigset_t InterruptSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  for (const int signal_number : {SIGINT, SIGQUIT, SIGHUP, SIGTERM}) {
    struct sigaction current {};
    if (sigaction(signal_number, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) continue;
    sigaddset(&signals, signal_number);
  }
  return signals;
}

[[noreturn]] void EndOnInterrupt(InterruptEvent event) {
  if (ClaimEnd(Ender::kInterruptThread) != Ender::kNone) {
    // The main thread is stopping or reporting already and completes the
    // channels; only if it never gets there does the interrupt end it.
    std::this_thread::sleep_for(kEndInProgressWait);
    WriteReport(kInterruptEvent, 0, event.word, 0);
    _exit(event.exit_status);
  }
  WriteReport(kInterruptEvent, 0, event.word, 0);
  CloseAll();
  _exit(event.exit_status);
}

void* WaitForInterrupt(void*) {
  int signal_number = 0;
  while (sigwait(&g_signals, &signal_number) != 0) {
  }
  EndOnInterrupt(EventOfSignal(signal_number));
}

}  // namespace

InterruptEvent EventOfSignal(int signal_number) {
  switch (signal_number) {
    case SIGINT: return {"control-C", 0};
    case SIGQUIT: return {"control-BREAK", 1};
    default: return {"window-CLOSE", 2};
  }
}

void StartInterruptThread() {
  g_signals = InterruptSignals();
  sigset_t previous;
  pthread_sigmask(SIG_BLOCK, &g_signals, &previous);
  pthread_t thread;
  if (pthread_create(&thread, nullptr, &WaitForInterrupt, nullptr) != 0) {
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return;
  }
  pthread_detach(thread);
}

}  // namespace floodwave::textio
