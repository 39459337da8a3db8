// Creating a file that must not exist yet, and connecting a channel to it.
#pragma once

#include <cstddef>
#include <string_view>

namespace floodwave::textio {

enum class OnError { kReport, kReturn };

// Creates the file named by `name` (leading blanks, trailing blanks and NUL
// bytes dropped; relative to the working directory) only if no file of that
// name exists, and connects channel `unit` to it. Returns 0 on success,
// otherwise the report number of the failure. With OnError::kReport a
// failure ends the program through FatalReport instead.
//
// The channel's name, shown in every later report about it, is the full
// path: the working directory, "/", the name (a name starting with "/" is
// already one). A link at the name is never followed and an existing file
// is never opened or changed.
//
// Failures: the file exists (also a link or a device) 10; a directory on the
// way is missing 29; access refused or a read-only file system 9; a name
// that is empty after trimming, longer than 256 characters, or holding a
// NUL byte before its end, or a name the system finds invalid or too long,
// 43; no such device 42; too many open files, a channel that is not a file
// channel or is connected already, and every other reason, 30 (for an
// unlisted reason the report also shows the system's text).
int OpenNew(int unit, std::string_view name, OnError on_error);

// ---- Parts of OpenNew that are plain computations ----

inline constexpr std::size_t kMaxNameText = 256;

// The name without leading blanks and without trailing blanks and NULs.
std::string_view TrimFileName(std::string_view name);

struct OpenFailure {
  int number;
  // The system's error code to show with the report, or 0 for none.
  int system_error;
};

// Translates the system's reason for refusing a creation.
OpenFailure ClassifyOpenError(int error);

}  // namespace floodwave::textio
