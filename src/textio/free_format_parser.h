// The free-format reading rules, over any source of input lines, so that
// they can be exercised without a console.
//
// A read passes over blanks, tabs, carriage returns and whole lines before
// each value. A comma right after a value (blanks and line ends between
// allowed) separates it from the next one; any other comma gives a null
// value, which leaves its item as it was. A slash ends the read. "r*v" gives
// r copies of v to this item and the next ones (copies nobody needs are
// dropped); "r*" before a blank, comma, slash or line end gives r null
// values. The rest of the line where the read stops is always dropped.
//
// Where the answer syntax leaves a form open, this reader decides:
// - a repeat count of zero ("0*5") is malformed (59); a count beyond the
//   32-bit range cannot be converted (64) and the item keeps its value;
// - a quoted text fails (64) at its opening mark, closed or not: the read
//   never goes on to the next line to look for a closing mark;
// - a blank "r*" before a slash counts as r null values, then the slash
//   ends the read (the items keep their values either way).
// The values themselves (numbers, words, logical constants) are in
// free_value.h.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "textio/free_input.h"

namespace floodwave::textio {

// Handed back when the lines ran out before the read was complete.
inline constexpr int kEndOfInput = 24;

// Yields input lines, terminators removed. A line stays valid until the
// next call; no value means the input has ended.
class LineSource {
 public:
  virtual std::optional<std::string_view> NextLine() = 0;

 protected:
  ~LineSource() = default;
};

// One free-format read: takes the next line, gives the items their values
// in order (taking further lines while items are left), and drops the rest
// of the line it stopped in. Returns 0, kMalformedValue, kUnconvertibleValue
// or kEndOfInput. With no items it takes exactly one line.
int ParseFree(LineSource& lines, std::span<const FreeItem> items);

}  // namespace floodwave::textio
