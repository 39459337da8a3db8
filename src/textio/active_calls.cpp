#include "textio/active_calls.h"

#include <atomic>

#include "textio/program_end.h"

namespace floodwave::textio {

namespace {

// The names are string literals, so a slot read while the main thread
// overwrites it still yields a valid text, old or new.
std::atomic<const char*> g_calls[kMaxActiveCalls];
std::atomic<int> g_depth{0};

// The outermost line stands for the program itself.
constexpr const char* kProgramName = "floodwave";

}  // namespace

ActiveCall::ActiveCall(const char* name) {
  const int depth = g_depth.load(std::memory_order_relaxed);
  if (depth >= 0 && depth < kMaxActiveCalls) {
    g_calls[depth].store(name, std::memory_order_relaxed);
  }
  g_depth.store(depth + 1, std::memory_order_release);
}

ActiveCall::~ActiveCall() {
  g_depth.store(g_depth.load(std::memory_order_relaxed) - 1, std::memory_order_release);
}

void AppendActiveCallListing(ReportText& out) {
  const int depth = g_depth.load(std::memory_order_acquire);
  if (depth > kMaxActiveCalls) {
    out.Append("  in (");
    out.AppendDecimal(depth - kMaxActiveCalls);
    out.Append(" more calls)\r\n");
  }
  for (int i = (depth < kMaxActiveCalls ? depth : kMaxActiveCalls) - 1; i >= 0; --i) {
    const char* name = g_calls[i].load(std::memory_order_relaxed);
    out.Append("  in ");
    out.Append(name != nullptr ? name : "?");
    out.Append("\r\n");
  }
  out.Append("  in ");
  out.Append(kProgramName);
  out.Append("\r\n");
}

}  // namespace floodwave::textio
