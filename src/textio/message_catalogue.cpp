#include "textio/message_catalogue.h"

#include <cstring>
#include <type_traits>

namespace floodwave::textio {

namespace {

constexpr CatalogueEntry kCatalogue[] = {
    {kPermissionDenied, Severity::kSevere, "permission to access file denied, unit %d, file %s"},
    {kExistingFile, Severity::kSevere, "cannot overwrite existing file, unit %d, file %s"},
    {kEndOfFile, Severity::kSevere, "end-of-file during read, unit %d, file %s"},
    {kFileNotFound, Severity::kSevere, "file not found, unit %d, file %s"},
    {kOpenFailure, Severity::kSevere, "open failure, unit %d, file %s"},
    {kWriteError, Severity::kSevere, "error during write, unit %d, file %s"},
    {kReadError, Severity::kSevere, "error during read, unit %d, file %s"},
    {kNoSuchDevice, Severity::kSevere, "no such device, unit %d, file %s"},
    {kFileNameError, Severity::kSevere, "file name specification error, unit %d, file %s"},
    {kInterruptEvent, Severity::kError, "program aborting due to %s event"},
};

// Only reached through a fault of the program itself.
constexpr std::string_view kUnlistedText = "unexpected failure, unit %d, file %s";

// strerror_r comes in two forms; both leave the text in `buffer` or return
// a static one.
[[maybe_unused]] const char* ErrorText(int result, const char* buffer) {
  return result == 0 ? buffer : "Unknown error";
}
[[maybe_unused]] const char* ErrorText(const char* result, const char*) { return result; }

}  // namespace

CatalogueEntry LookUpMessage(int number) {
  for (const CatalogueEntry& entry : kCatalogue) {
    if (entry.number == number) return entry;
  }
  return {number, Severity::kSevere, kUnlistedText};
}

std::string_view SeverityWord(Severity severity) {
  switch (severity) {
    case Severity::kInfo: return "info";
    case Severity::kWarning: return "warning";
    case Severity::kError: return "error";
    case Severity::kSevere: return "severe";
  }
  return "severe";
}

void AppendSystemLine(ReportText& out, int system_error) {
  char buffer[256] = {};
  const char* text = ErrorText(strerror_r(system_error, buffer, sizeof buffer), buffer);
  out.Append(kDiagnosticTag);
  out.Append(": ");
  out.Append(text);
  out.Append("\r\n");
}

void AppendReportLine(ReportText& out, int number, int unit, std::string_view name) {
  const CatalogueEntry entry = LookUpMessage(number);
  out.Append(kDiagnosticTag);
  out.Append(": ");
  out.Append(SeverityWord(entry.severity));
  out.Append(" (");
  out.AppendDecimal(number);
  out.Append("): ");
  std::string_view text = entry.text;
  while (!text.empty()) {
    const std::size_t mark = text.find('%');
    out.Append(text.substr(0, mark));
    if (mark == std::string_view::npos || mark + 1 >= text.size()) break;
    const char kind = text[mark + 1];
    if (kind == 'd') {
      out.AppendDecimal(unit);
    } else if (kind == 's') {
      out.Append(name);
    } else {
      out.Append(text.substr(mark, 2));
    }
    text.remove_prefix(mark + 2);
  }
  out.Append("\r\n");
}

}  // namespace floodwave::textio
