// The console's line reader and the text-field fill rule over arbitrary
// bytes.
//
// Input: one byte choosing the reader's first buffer size (2 to 65 bytes,
// so that lines outgrow it), one byte for the source (a pipe fed in chunks
// of random sizes by a writer thread, or a regular file), one byte for a
// text field's width; then the text. The lines handed out must be exactly
// the text cut at each line feed, with a carriage return before each line
// feed (and before the end of the input) dropped, and nothing else: no line
// after a final line feed, no byte lost between reads. Then the same text
// goes to standard input and each line is read into a text field, which
// must hold the line's first characters or the line padded with blanks.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "textio/console_input.h"
#include "textio/free_input.h"

namespace {

using floodwave::textio::LineReader;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

std::vector<std::string> ExpectedLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t lf = text.find('\n', start);
    const bool last = lf == std::string::npos;
    if (last) lf = text.size();
    std::string line = text.substr(start, lf - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = lf + 1;
  }
  return lines;
}

// Writes `text` into `fd` in chunks whose sizes come from `sizes`, then
// closes it.
void Feed(int fd, const std::string& text, std::vector<std::uint8_t> sizes) {
  std::size_t at = 0;
  std::size_t turn = 0;
  while (at < text.size()) {
    std::size_t chunk = sizes.empty() ? 4096 : 1 + sizes[turn++ % sizes.size()] * 7u;
    if (chunk > text.size() - at) chunk = text.size() - at;
    const ssize_t put = write(fd, text.data() + at, chunk);
    if (put < 0) Fail("pipe write");
    at += static_cast<std::size_t>(put);
  }
  close(fd);
}

// A descriptor delivering `text`: a pipe with a writer thread, or a file
// in memory.
int Source(const std::string& text, bool pipe_source, std::thread& writer) {
  if (pipe_source) {
    int ends[2];
    if (pipe(ends) != 0) Fail("pipe");
    std::vector<std::uint8_t> sizes(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(
                                                                     text.size() < 16 ? text.size() : 16));
    writer = std::thread(Feed, ends[1], text, sizes);
    return ends[0];
  }
  const int fd = memfd_create("lines", 0);
  if (fd < 0) Fail("memfd_create");
  if (!text.empty() && write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
    Fail("memfd write");
  }
  lseek(fd, 0, SEEK_SET);
  return fd;
}

void CheckLines(const std::string& text, std::size_t initial, bool pipe_source) {
  const std::vector<std::string> expected = ExpectedLines(text);
  std::thread writer;
  const int fd = Source(text, pipe_source, writer);
  LineReader reader(fd, initial);
  for (const std::string& line : expected) {
    const LineReader::Result got = reader.Next();
    if (got.status != LineReader::Status::kLine) Fail("a line is missing");
    if (got.line != line) Fail("a line differs");
  }
  if (reader.Next().status != LineReader::Status::kEnd) Fail("more than the lines");
  if (reader.Next().status != LineReader::Status::kEnd) Fail("the end does not stay");
  if (writer.joinable()) writer.join();
  close(fd);
}

// Each line into a text field through the console channel. The field sits
// in a heap block of its own width, so a write past it is caught.
void CheckFill(const std::string& text, std::size_t width) {
  const std::vector<std::string> expected = ExpectedLines(text);
  if (expected.empty()) return;  // the end of input would end the program
  std::thread writer;
  const int fd = Source(text, true, writer);
  if (dup2(fd, STDIN_FILENO) < 0) Fail("dup2");
  close(fd);
  for (const std::string& line : expected) {
    std::vector<char> field(width, '\x7f');
    floodwave::textio::ReadLayout(field);
    std::string want = line.substr(0, width);
    want.resize(width, ' ');
    if (std::string(field.begin(), field.end()) != want) Fail("text field filled wrongly");
  }
  writer.join();
  // Standard input is left at its end, as the next input's reader expects.
  const int null = open("/dev/null", O_RDONLY);
  dup2(null, STDIN_FILENO);
  close(null);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint8_t head[3] = {};
  std::memcpy(head, data, size < sizeof head ? size : sizeof head);
  const std::size_t text_start = size < sizeof head ? size : sizeof head;
  const std::string text(reinterpret_cast<const char*>(data) + text_start, size - text_start);
  const std::size_t initial = 2 + head[0] % 64;
  CheckLines(text, initial, (head[1] & 1) != 0);
  CheckFill(text, 1 + head[2] % 100);
  return 0;
}
