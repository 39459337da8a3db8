// The free-format reader over arbitrary bytes.
//
// Input: one byte choosing the items (one real, one integer, three
// integers, none), twelve bytes giving the items' bits before the read, then
// the text, cut into lines at each line feed. Every read must end with
// 0, 59, 64 or the end of input, take at least one line and never more than
// there are, and leave alone whatever it could not have given a value:
// - with no items, exactly one line goes;
// - when the lines it took hold no letter and no digit, no item changes;
// - the end of input comes only after every line has gone;
// and a lone number on the first line, read into one item, must equal the
// correctly rounded value of its text (std::from_chars).
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "textio/free_format_parser.h"
#include "textio/free_input.h"

namespace {

using floodwave::textio::FreeItem;
using floodwave::textio::kEndOfInput;
using floodwave::textio::kMalformedValue;
using floodwave::textio::kUnconvertibleValue;
using floodwave::textio::LineSource;
using floodwave::textio::ParseFree;

// Hands out the lines one by one, each in a heap block of its own size so
// that a read past a line's end is caught.
class MemoryLines final : public LineSource {
 public:
  explicit MemoryLines(std::vector<std::string> lines) : lines_(std::move(lines)) {}
  std::optional<std::string_view> NextLine() override {
    if (taken_ == lines_.size()) return std::nullopt;
    const std::string& line = lines_[taken_++];
    current_ = std::make_unique<char[]>(line.size() + (line.empty() ? 1 : 0));
    std::memcpy(current_.get(), line.data(), line.size());
    return std::string_view(current_.get(), line.size());
  }
  std::size_t taken() const { return taken_; }
  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
  std::size_t taken_ = 0;
  std::unique_ptr<char[]> current_;
};

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool IsAlnum(char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A plain number: sign, digits with at most one point, optional exponent
// (E, D, Q or a bare sign). Gives it in the form std::from_chars reads, and
// whether it had a point or an exponent.
struct PlainNumber {
  std::string text;
  bool integral = true;
};

std::optional<PlainNumber> ParsePlain(std::string_view token) {
  PlainNumber number;
  std::size_t i = 0;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
    if (token[i] == '-') number.text += '-';
    ++i;
  }
  std::size_t digits = 0;
  while (i < token.size() && IsDigit(token[i])) number.text += token[i++], ++digits;
  if (i < token.size() && token[i] == '.') {
    number.integral = false;
    number.text += token[i++];
    while (i < token.size() && IsDigit(token[i])) number.text += token[i++], ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < token.size()) {
    const char c = token[i];
    const bool letter = c == 'E' || c == 'e' || c == 'D' || c == 'd' || c == 'Q' || c == 'q';
    if (!letter && c != '+' && c != '-') return std::nullopt;
    number.integral = false;
    number.text += 'e';
    if (letter) ++i;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) number.text += token[i++];
    std::size_t exponent_digits = 0;
    while (i < token.size() && IsDigit(token[i])) number.text += token[i++], ++exponent_digits;
    if (exponent_digits == 0) return std::nullopt;
  }
  if (i != token.size()) return std::nullopt;
  return number;
}

// The first value of a line when it is a plain number standing alone
// before a blank, comma, slash or the line end.
std::optional<PlainNumber> LoneNumber(const std::string& line) {
  std::size_t start = 0;
  while (start < line.size() && IsBlank(line[start])) ++start;
  std::size_t end = start;
  while (end < line.size() && !IsBlank(line[end]) && line[end] != ',' && line[end] != '/') ++end;
  if (end == start) return std::nullopt;
  const std::string_view token(line.data() + start, end - start);
  if (token.find('*') != std::string_view::npos) return std::nullopt;
  return ParsePlain(token);
}

void CheckReal(const PlainNumber& number, int status, float value) {
  float expected = 0;
  const auto [end, ec] = std::from_chars(number.text.data(), number.text.data() + number.text.size(),
                                         expected);
  if (end != number.text.data() + number.text.size()) Fail("reference did not read the number");
  if (ec != std::errc{}) return;  // beyond or below the single range: the reader's own rules
  if (status != 0) Fail("a plain real number was refused");
  if (std::memcmp(&expected, &value, sizeof value) != 0) Fail("real not correctly rounded");
}

void CheckInteger(const PlainNumber& number, int status, std::int32_t value) {
  if (number.integral) {
    long long expected = 0;
    const auto [end, ec] = std::from_chars(number.text.data(),
                                           number.text.data() + number.text.size(), expected);
    if (end != number.text.data() + number.text.size()) Fail("reference did not read the integer");
    if (ec == std::errc{} && expected >= INT32_MIN && expected <= INT32_MAX) {
      if (status != 0 || value != expected) Fail("integer read wrongly");
    } else {
      if (status != kUnconvertibleValue || value != 0) Fail("integer out of range not refused");
    }
    return;
  }
  double exact = 0;
  const auto [end, ec] = std::from_chars(number.text.data(), number.text.data() + number.text.size(),
                                         exact);
  if (end != number.text.data() + number.text.size()) Fail("reference did not read the number");
  if (ec != std::errc{}) return;
  const double truncated = std::trunc(exact);
  const std::int32_t expected = (truncated >= -2147483648.0 && truncated <= 2147483647.0)
                                    ? static_cast<std::int32_t>(truncated)
                                    : INT32_MIN;
  if (status != 0 || value != expected) Fail("integer from a real read wrongly");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint8_t head[13] = {};
  std::memcpy(head, data, size < sizeof head ? size : sizeof head);
  const int kind = head[0] % 4;
  const std::size_t text_start = size < sizeof head ? size : sizeof head;
  const std::string text(reinterpret_cast<const char*>(data) + text_start, size - text_start);

  std::vector<std::string> lines;
  if (!text.empty()) {
    std::size_t start = 0;
    for (;;) {
      const std::size_t lf = text.find('\n', start);
      if (lf == std::string::npos) {
        if (start < text.size()) lines.push_back(text.substr(start));
        break;
      }
      lines.push_back(text.substr(start, lf - start));
      start = lf + 1;
    }
  }

  // Each target in a heap block of its own: a write past it is caught.
  auto real = std::make_unique<float>();
  auto ints = std::make_unique<std::int32_t[]>(3);
  std::memcpy(real.get(), head + 1, 4);
  std::memcpy(ints.get(), head + 1, 12);
  std::vector<FreeItem> items;
  if (kind == 0) items.emplace_back(real.get());
  if (kind == 1) items.emplace_back(&ints[0]);
  if (kind == 2) {
    for (std::size_t i = 0; i < 3; ++i) items.emplace_back(&ints[i]);
  }
  std::uint8_t before[16];
  std::memcpy(before, real.get(), 4);
  std::memcpy(before + 4, ints.get(), 12);

  MemoryLines source(lines);
  const int status = ParseFree(source, items);

  if (status != 0 && status != kMalformedValue && status != kUnconvertibleValue &&
      status != kEndOfInput) {
    Fail("unexpected status");
  }
  std::uint8_t after[16];
  std::memcpy(after, real.get(), 4);
  std::memcpy(after + 4, ints.get(), 12);
  const bool unchanged = std::memcmp(before, after, sizeof before) == 0;

  if (lines.empty()) {
    if (status != kEndOfInput || !unchanged || source.taken() != 0) Fail("read with no input");
    return 0;
  }
  if (source.taken() < 1) Fail("a read took no line");
  if (status == kEndOfInput && source.taken() != lines.size()) Fail("end of input too early");
  if (kind == 3 && (status != 0 || source.taken() != 1 || !unchanged)) Fail("empty list");
  // Untouched bits of the unused targets: one real item leaves the
  // integers alone and the other way round.
  if (kind == 0 && std::memcmp(before + 4, after + 4, 12) != 0) Fail("integers touched");
  if ((kind == 1 || kind == 2) && std::memcmp(before, after, 4) != 0) Fail("real touched");
  if (kind == 1 && std::memcmp(before + 8, after + 8, 8) != 0) Fail("integer past the list");

  bool any_value_text = false;
  for (std::size_t i = 0; i < source.taken(); ++i) {
    for (const char c : lines[i]) any_value_text = any_value_text || IsAlnum(c);
  }
  if (!any_value_text && !unchanged) Fail("an item changed with no value given");

  if (kind == 0 || kind == 1) {
    if (const auto number = LoneNumber(lines[0])) {
      if (source.taken() != 1) Fail("a lone number took more than its line");
      if (kind == 0) CheckReal(*number, status, *real);
      if (kind == 1) CheckInteger(*number, status, ints[0]);
    }
  }
  return 0;
}
