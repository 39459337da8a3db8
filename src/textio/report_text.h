// A line of text composed in a fixed buffer, for the reports that end the
// program: composing one must never allocate, since it may run on the
// interrupt thread while the main thread is anywhere at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace floodwave::textio {

// Appends to a caller's buffer; what does not fit is dropped, so an absurdly
// long path shortens a report instead of overrunning it.
class ReportText {
 public:
  explicit ReportText(std::span<char> storage) : storage_(storage) {}

  void Append(std::string_view text) {
    const std::size_t room = storage_.size() - size_;
    const std::size_t count = text.size() < room ? text.size() : room;
    for (std::size_t i = 0; i < count; ++i) storage_[size_ + i] = text[i];
    size_ += count;
  }

  void AppendDecimal(std::int64_t value) {
    char digits[24];
    std::size_t at = sizeof digits;
    // Work on the magnitude as unsigned so that the most negative value
    // does not overflow when negated.
    std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value)
                                        : static_cast<std::uint64_t>(value);
    do {
      digits[--at] = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) digits[--at] = '-';
    Append(std::string_view(digits + at, sizeof digits - at));
  }

  std::string_view View() const { return {storage_.data(), size_}; }

 private:
  std::span<char> storage_;
  std::size_t size_ = 0;
};

}  // namespace floodwave::textio
