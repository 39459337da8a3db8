#include "textio/console_input.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>

#include "textio/message_catalogue.h"
#include "textio/output_channel.h"
#include "textio/program_end.h"

namespace floodwave::textio {

LineReader::LineReader(int fd, std::size_t initial_size)
    : fd_(fd), buffer_(initial_size < 2 ? 2 : initial_size) {}

LineReader::Result LineReader::Next() {
  for (;;) {
    const char* scan_from = buffer_.data() + start_ + scanned_;
    const std::size_t unscanned = end_ - start_ - scanned_;
    if (const void* lf = std::memchr(scan_from, '\n', unscanned)) {
      const char* line = buffer_.data() + start_;
      std::size_t length = static_cast<std::size_t>(static_cast<const char*>(lf) - line);
      start_ += length + 1;
      scanned_ = 0;
      if (length > 0 && line[length - 1] == '\r') --length;
      return {Status::kLine, {line, length}, 0};
    }
    scanned_ += unscanned;
    if (start_ == end_) start_ = end_ = scanned_ = 0;
    // Make room: first move the pending bytes to the front, then double.
    if (end_ == buffer_.size()) {
      if (start_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + start_, end_ - start_);
        end_ -= start_;
        start_ = 0;
      } else {
        // A line longer than memory can hold (a binary file without line
        // feeds, an endless pipe) is a failed read, reported, not a crash.
        try {
          buffer_.resize(buffer_.size() * 2);
        } catch (const std::bad_alloc&) {
          return {Status::kFailed, {}, ENOMEM};
        } catch (const std::length_error&) {
          return {Status::kFailed, {}, ENOMEM};
        }
      }
    }
    const ssize_t got = read(fd_, buffer_.data() + end_, buffer_.size() - end_);
    if (got < 0) {
      if (errno == EINTR) continue;
      return {Status::kFailed, {}, errno};
    }
    if (got == 0) {
      if (end_ == start_) return {Status::kEnd, {}, 0};
      // The last line ends with the input; a carriage return before that
      // end goes with it, as it would before a line feed.
      const char* line = buffer_.data() + start_;
      std::size_t length = end_ - start_;
      start_ = end_ = scanned_ = 0;
      if (line[length - 1] == '\r') --length;
      return {Status::kLine, {line, length}, 0};
    }
    end_ += static_cast<std::size_t>(got);
  }
}

std::optional<std::string_view> ConsoleLines::NextLine() {
  static LineReader console(STDIN_FILENO);
  const LineReader::Result result = console.Next();
  switch (result.status) {
    case LineReader::Status::kLine:
      return result.line;
    case LineReader::Status::kEnd:
      return std::nullopt;
    case LineReader::Status::kFailed:
      break;
  }
  FatalReport(kReadError, kConsoleInput, result.error);
}

}  // namespace floodwave::textio
