// The message catalogue: for every report number the program can meet, its
// severity and its message text, and the composition of the report lines.
//
// A report on standard error reads, for the end of the input:
//
//   floodwave: severe (24): end-of-file during read, unit -4, file CONIN$
//
// and when the failure came with an error code of the system, a line with
// the system's own text comes first:
//
//   floodwave: No space left on device
//   floodwave: severe (38): error during write, unit -1, file CONOUT$
//
// Every line ends with CR LF.
#pragma once

#include <string_view>

#include "textio/report_text.h"

namespace floodwave::textio {

inline constexpr std::string_view kDiagnosticTag = "floodwave";

// Report numbers.
inline constexpr int kPermissionDenied = 9;
inline constexpr int kExistingFile = 10;
inline constexpr int kEndOfFile = 24;
inline constexpr int kFileNotFound = 29;
inline constexpr int kOpenFailure = 30;
inline constexpr int kWriteError = 38;
inline constexpr int kReadError = 39;
inline constexpr int kNoSuchDevice = 42;
inline constexpr int kFileNameError = 43;
inline constexpr int kInterruptEvent = 200;

enum class Severity { kInfo = 1, kWarning = 2, kError = 3, kSevere = 4 };

struct CatalogueEntry {
  int number;
  Severity severity;
  // %d takes the channel number, %s the channel's name (or, for the
  // interrupt report, the event word).
  std::string_view text;
};

// The entry of `number`. A number the catalogue does not hold gets a
// severe entry with a general text, so that no failure goes unreported.
CatalogueEntry LookUpMessage(int number);

std::string_view SeverityWord(Severity severity);

// Appends "floodwave: <system text>" and CR LF.
void AppendSystemLine(ReportText& out, int system_error);

// Appends "floodwave: <severity> (<number>): <text filled in>" and CR LF.
void AppendReportLine(ReportText& out, int number, int unit, std::string_view name);

}  // namespace floodwave::textio
