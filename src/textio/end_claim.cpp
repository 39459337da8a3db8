#include "textio/end_claim.h"

#include <unistd.h>

#include <atomic>

namespace floodwave::textio {

namespace {

std::atomic<Ender> g_ender{Ender::kNone};

}  // namespace

Ender ClaimEnd(Ender who) {
  Ender expected = Ender::kNone;
  if (g_ender.compare_exchange_strong(expected, who, std::memory_order_acq_rel)) {
    return Ender::kNone;
  }
  return expected;
}

bool InterruptEndUnderWay() {
  return g_ender.load(std::memory_order_acquire) == Ender::kInterruptThread;
}

void WaitForEnd() {
  // The other thread ends the process with _exit; this one only waits.
  for (;;) pause();
}

}  // namespace floodwave::textio
