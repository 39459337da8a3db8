// The console input channel: standard input handed out as whole lines.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "textio/free_format_parser.h"

namespace floodwave::textio {

// Splits what a file descriptor delivers into lines: the bytes up to a line
// feed, without the line feed and without a carriage return right before
// it. A last line without a line feed is a line too, and the end of the
// input stands for its line feed: a carriage return right before it goes as
// well (no stray CR in a file name typed on such a line). Lines may be of any
// length: the buffer doubles until the line fits (when memory runs out
// first, the read fails with ENOMEM). Reads with read(2),
// retrying when interrupted, and never asks for more than the buffer's free
// room, so nothing read is ever lost between lines.
class LineReader {
 public:
  enum class Status { kLine, kEnd, kFailed };
  struct Result {
    Status status;
    std::string_view line;  // kLine: valid until the next call
    int error;              // kFailed: the errno of the read
  };

  explicit LineReader(int fd, std::size_t initial_size = 4096);
  Result Next();

 private:
  int fd_;
  std::vector<char> buffer_;
  std::size_t start_ = 0;    // first byte not yet handed out
  std::size_t scanned_ = 0;  // bytes from start_ known to hold no line feed
  std::size_t end_ = 0;      // end of the bytes read
};

// The lines of standard input, for the reads of the program. The channel
// is connected at the first line asked for. A failed read ends the program
// with report 39 on the console input channel; the end of the input gives
// no line (the read that meets it reports 24).
class ConsoleLines final : public LineSource {
 public:
  std::optional<std::string_view> NextLine() override;
};

}  // namespace floodwave::textio
