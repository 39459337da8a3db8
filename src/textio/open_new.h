// Creating a file that must not exist yet, and connecting a channel to it.
#pragma once

#include <string_view>

namespace floodwave::textio {

enum class OnError { kReport, kReturn };

// Creates the file named by `name` (leading blanks, trailing blanks and NUL
// bytes dropped; relative to the working directory) only if no file of that
// name exists, and connects channel `unit` to it. Returns 0 on success,
// otherwise the report number of the failure. With OnError::kReport a
// failure ends the program through FatalReport instead.
int OpenNew(int unit, std::string_view name, OnError on_error);

}  // namespace floodwave::textio
