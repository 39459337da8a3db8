// Splitting what standard input delivers into lines, over pipes, files and
// a directory, with the line buffer made small so that it must grow and
// shift many times.
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "textio/console_input.h"

namespace floodwave::textio {
namespace {

using Status = LineReader::Status;

// A pipe whose write end is fed by a thread in chunks of random sizes.
class FedPipe {
 public:
  explicit FedPipe(std::string bytes, unsigned seed = 1) {
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    read_fd_ = fds[0];
    writer_ = std::thread([bytes = std::move(bytes), fd = fds[1], seed] {
      std::mt19937 random(seed);
      std::size_t at = 0;
      while (at < bytes.size()) {
        const std::size_t chunk = std::min<std::size_t>(1 + random() % 5000, bytes.size() - at);
        const ssize_t put = write(fd, bytes.data() + at, chunk);
        if (put <= 0) break;
        at += static_cast<std::size_t>(put);
      }
      close(fd);
    });
  }
  ~FedPipe() {
    writer_.join();
    close(read_fd_);
  }
  int fd() const { return read_fd_; }

 private:
  int read_fd_ = -1;
  std::thread writer_;
};

std::vector<std::string> AllLines(int fd, std::size_t initial_size) {
  LineReader reader(fd, initial_size);
  std::vector<std::string> lines;
  for (;;) {
    const LineReader::Result r = reader.Next();
    if (r.status != Status::kLine) {
      EXPECT_EQ(r.status, Status::kEnd);
      EXPECT_EQ(reader.Next().status, Status::kEnd);  // and it stays ended
      return lines;
    }
    lines.emplace_back(r.line);
  }
}

TEST(ConsoleInput, LineEndsAndCarriageReturns) {
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"2.5\n", {"2.5"}},
      {"2.5\r\n7\r\n", {"2.5", "7"}},
      {"last", {"last"}},
      {"a\nlast\r", {"a", "last"}},
      {"\n\r\n\n", {"", "", ""}},
      {"a\rb\r\r\n", {"a\rb\r"}},  // only the one right before the end goes
      {"\r", {""}},
      {std::string("nul\0inside\n", 11), {std::string("nul\0inside", 10)}},
  };
  for (const Case& c : cases) {
    for (std::size_t size : {std::size_t{2}, std::size_t{4096}}) {
      SCOPED_TRACE(c.bytes + " size " + std::to_string(size));
      FedPipe pipe(c.bytes);
      EXPECT_EQ(AllLines(pipe.fd(), size), c.lines);
    }
  }
}

TEST(ConsoleInput, LongAndManyLinesThroughASmallGrowingBuffer) {
  std::mt19937 random(3);
  std::vector<std::string> expected;
  std::string bytes;
  for (int n = 0; n < 3000; ++n) {
    std::size_t length = random() % 40;
    if (n % 500 == 7) length = 100000 + random() % 100000;
    std::string line;
    for (std::size_t i = 0; i < length; ++i) line += static_cast<char>('a' + random() % 26);
    bytes += line + (n % 3 == 0 ? "\r\n" : "\n");
    expected.push_back(line);
  }
  std::string megabyte(1 << 20, 'x');
  megabyte[12345] = ',';
  bytes += megabyte;  // the last line, with no line feed
  expected.push_back(megabyte);
  FedPipe pipe(bytes, 9);
  EXPECT_EQ(AllLines(pipe.fd(), 16), expected);
}

TEST(ConsoleInput, AFileIsReadToItsEnd) {
  char name[] = "/tmp/console_input_test_XXXXXX";
  const int fd = mkstemp(name);
  ASSERT_GE(fd, 0);
  unlink(name);
  const std::string bytes = "1 50 101\r\n\nNo\n";
  ASSERT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  ASSERT_EQ(lseek(fd, 0, SEEK_SET), 0);
  EXPECT_EQ(AllLines(fd, 4096), (std::vector<std::string>{"1 50 101", "", "No"}));
  close(fd);
}

TEST(ConsoleInput, ADirectoryFailsWithItsSystemCode) {
  const int fd = open("/", O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  LineReader reader(fd);
  const LineReader::Result r = reader.Next();
  EXPECT_EQ(r.status, Status::kFailed);
  EXPECT_EQ(r.error, EISDIR);
  close(fd);
}

void Ignore(int) {}

TEST(ConsoleInput, AnInterruptedReadIsRetried) {
  struct sigaction action {};
  action.sa_handler = Ignore;  // no SA_RESTART: read(2) fails with EINTR
  struct sigaction previous {};
  ASSERT_EQ(sigaction(SIGUSR1, &action, &previous), 0);
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const pthread_t reader_thread = pthread_self();
  std::thread poker([&] {
    for (int i = 0; i < 5; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      pthread_kill(reader_thread, SIGUSR1);
    }
    EXPECT_EQ(write(fds[1], "42\n", 3), 3);
    close(fds[1]);
  });
  LineReader reader(fds[0]);
  const LineReader::Result r = reader.Next();
  poker.join();
  EXPECT_EQ(r.status, Status::kLine);
  EXPECT_EQ(r.line, "42");
  close(fds[0]);
  sigaction(SIGUSR1, &previous, nullptr);
}

}  // namespace
}  // namespace floodwave::textio
