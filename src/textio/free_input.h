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
// ReadErrors::kReturnStatus a positive read status. The end of the input
// always ends the program (report 24). An empty list consumes one line.
int ReadFree(std::span<const FreeItem> items, ReadErrors errors);

// Reads the next input line into the whole of `field`: its first
// field.size() characters, or the line padded with blanks.
void ReadLayout(std::span<char> field);

}  // namespace floodwave::textio
