#include "textio/free_format_parser.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "textio/free_value.h"

namespace floodwave::textio {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The position of a read in its current line.
class Cursor {
 public:
  explicit Cursor(LineSource& lines) : lines_(lines) {}

  bool TakeLine() {
    const std::optional<std::string_view> line = lines_.NextLine();
    if (!line) return false;
    line_ = *line;
    pos_ = 0;
    return true;
  }

  // Passes over blanks, tabs, carriage returns and line ends; false when
  // the input ends first.
  bool SkipBlanks() {
    for (;;) {
      while (pos_ < line_.size() && IsBlank(line_[pos_])) ++pos_;
      if (pos_ < line_.size()) return true;
      if (!TakeLine()) return false;
    }
  }

  char Peek() const { return line_[pos_]; }
  std::string_view Rest() const { return line_.substr(pos_); }
  void Advance(std::size_t n) { pos_ += n; }

 private:
  LineSource& lines_;
  std::string_view line_;
  std::size_t pos_ = 0;
};

// A repeat count "r*" at the start of `rest`: its length including the
// asterisk, or 0 when there is none.
std::size_t RepeatLength(std::string_view rest) {
  std::size_t i = 0;
  while (i < rest.size() && IsDigit(rest[i])) ++i;
  return (i > 0 && i < rest.size() && rest[i] == '*') ? i + 1 : 0;
}

// The count of "r*": 0 and the status when it cannot serve.
int RepeatCount(std::string_view digits, std::int32_t& count) {
  FreeItem target = &count;
  const int status = StoreValue(digits, target);
  if (status != 0) return status;
  return count == 0 ? kMalformedValue : 0;  // zero copies of a value mean nothing
}

}  // namespace

int ParseFree(LineSource& lines, std::span<const FreeItem> items) {
  Cursor cursor(lines);
  if (!cursor.TakeLine()) return kEndOfInput;
  std::size_t next = 0;
  while (next < items.size()) {
    if (!cursor.SkipBlanks()) return kEndOfInput;
    const char first = cursor.Peek();
    if (first == '/') return 0;
    if (first == ',') {  // a null value: the item keeps its value
      cursor.Advance(1);
      ++next;
      continue;
    }
    std::int32_t copies = 1;
    if (const std::size_t repeat = RepeatLength(cursor.Rest()); repeat > 0) {
      const int status = RepeatCount(cursor.Rest().substr(0, repeat - 1), copies);
      if (status != 0) return status;
      cursor.Advance(repeat);
    }
    const std::size_t left = items.size() - next;
    const std::size_t wanted = std::min(static_cast<std::size_t>(copies), left);
    const std::string_view rest = cursor.Rest();
    if (rest.empty() || EndsValue(rest[0])) {
      next += wanted;  // "r*" alone: r null values
    } else {
      if (rest[0] == '\'' || rest[0] == '"') return kUnconvertibleValue;
      const std::string_view value = rest.substr(0, ValueLength(rest));
      cursor.Advance(value.size());
      for (std::size_t k = 0; k < wanted; ++k, ++next) {
        const int status = StoreValue(value, items[next]);
        if (status != 0) return status;
      }
    }
    // The comma after a value, across blanks and line ends, separates it
    // from the next value; it is no null value.
    if (next < items.size()) {
      if (!cursor.SkipBlanks()) return kEndOfInput;
      if (cursor.Peek() == ',') cursor.Advance(1);
    }
  }
  return 0;
}

}  // namespace floodwave::textio
