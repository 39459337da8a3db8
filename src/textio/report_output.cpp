#include "textio/report_output.h"

#include <unistd.h>

#include <cerrno>

#include "textio/active_calls.h"
#include "textio/channel_table.h"
#include "textio/message_catalogue.h"
#include "textio/report_text.h"

namespace floodwave::textio {

void WriteReport(int number, int unit, std::string_view name, int system_error) {
  // Two lines that may each hold a full path, and the listing.
  char storage[2 * kMaxChannelName + 512 + kMaxActiveCalls * 80];
  ReportText report(storage);
  if (system_error != 0) AppendSystemLine(report, system_error);
  AppendReportLine(report, number, unit, name);
  AppendActiveCallListing(report);

  std::string_view rest = report.View();
  while (!rest.empty()) {
    const ssize_t written = write(STDERR_FILENO, rest.data(), rest.size());
    if (written > 0) {
      rest.remove_prefix(static_cast<std::size_t>(written));
    } else if (written == 0 || errno != EINTR) {
      return;
    }
  }
}

}  // namespace floodwave::textio
