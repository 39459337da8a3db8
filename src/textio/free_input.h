// Reading the user's answers from the console: free-format lists of
// numbers, and whole lines into text fields.
#pragma once

#include <cstdint>
#include <span>
#include <variant>

namespace floodwave::textio {

// Read statuses handed back by a read with an error branch.
inline constexpr int kMalformedValue = 59;
inline constexpr int kUnconvertibleValue = 64;

// One target of a free-format read.
using FreeItem = std::variant<float*, std::int32_t*>;

enum class ReadErrors { kEndProgram, kReturnStatus };

// Reads the items from the next input line(s). Returns 0, or with
// ReadErrors::kReturnStatus a positive read status (kMalformedValue,
// kUnconvertibleValue); with ReadErrors::kEndProgram such a failure ends the
// program with a report of that number on the console input channel. The
// end of the input always ends the program (report 24), a failed read too
// (report 39). An empty list consumes exactly one line. The rules of the
// answer syntax are in free_format_parser.h and free_value.h.
int ReadFree(std::span<const FreeItem> items, ReadErrors errors);

// Reads the next input line into the whole of `field`: its first
// field.size() characters, or the line padded with blanks. Nothing in the
// line is interpreted. The end of the input ends the program (report 24).
void ReadLayout(std::span<char> field);

}  // namespace floodwave::textio
