// A small program that drives the text layer from its command line, so that
// the tests can watch reports, exit statuses and files of a real process.
//
//   start             StartTextLayer()
//   open U NAME       OpenNew(U, NAME, kReport); in NAME, "\\0" stands for a
//                     NUL byte
//   try U NAME        OpenNew(U, NAME, kReturn), its result written to the
//                     console as "open U = N" and CR LF
//   line U TEXT       TEXT and CR LF as one write
//   prompt U TEXT     TEXT alone (a line left open)
//   rows U N          N writes of two records each (probe_records.h)
//   flood U           such writes without end
//   big U N           one write of N bytes of whole 64-byte records
//   fsize N           the file-size limit set to N bytes
//   nofile N          the limit of open descriptors set to N
//   call NAME         an ActiveCall named NAME around the rest of the commands
//   read              reads standard input to its end: report 24 (39 if the
//                     read fails)
//   fatal N U E       FatalReport(N, U, E)
//   close-stdout      closes descriptor 1
//   stop              StopProgram()
//
// Running out of commands stops the program too.
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "textio/open_new.h"
#include "textio/output_channel.h"
#include "textio/program_end.h"
#include "probe_records.h"

namespace {

using namespace floodwave::textio;
namespace testing = floodwave::textio::testing;

int Number(const char* text) { return std::atoi(text); }

std::string Name(std::string_view text) {
  std::string name;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.substr(i, 2) == "\\0") {
      name += '\0';
      ++i;
    } else {
      name += text[i];
    }
  }
  return name;
}

void SetLimit(int resource, int value) {
  const rlimit limit{static_cast<rlim_t>(value), static_cast<rlim_t>(value)};
  setrlimit(resource, &limit);
}

void WriteRowPair(int unit, long index) { WriteToChannel(unit, testing::RowPair(index)); }

void WriteBig(int unit, long size) {
  std::string text;
  for (long i = 0; i < size / 64; ++i) text += testing::BigRecord(i);
  WriteToChannel(unit, text);
}

[[noreturn]] void ReadToEnd() {
  char buffer[256];
  for (;;) {
    const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
    if (got == 0) FatalReport(24, kConsoleInput);
    if (got < 0 && errno != EINTR) FatalReport(39, kConsoleInput, errno);
  }
}

void Run(int count, char** args) {
  for (int i = 0; i < count; ++i) {
    const std::string_view command = args[i];
    if (command == "start") {
      StartTextLayer();
    } else if (command == "open") {
      OpenNew(Number(args[i + 1]), Name(args[i + 2]), OnError::kReport);
      i += 2;
    } else if (command == "try") {
      const int result = OpenNew(Number(args[i + 1]), Name(args[i + 2]), OnError::kReturn);
      const std::string text =
          "open " + std::string(args[i + 1]) + " = " + std::to_string(result) + "\r\n";
      WriteToChannel(kConsoleOutput, text);
      i += 2;
    } else if (command == "line") {
      WriteToChannel(Number(args[i + 1]), std::string(args[i + 2]) + "\r\n");
      i += 2;
    } else if (command == "prompt") {
      WriteToChannel(Number(args[i + 1]), args[i + 2]);
      i += 2;
    } else if (command == "rows") {
      for (long row = 0; row < Number(args[i + 2]); ++row) WriteRowPair(Number(args[i + 1]), row);
      i += 2;
    } else if (command == "flood") {
      for (long row = 0;; ++row) WriteRowPair(Number(args[i + 1]), row);
    } else if (command == "big") {
      WriteBig(Number(args[i + 1]), Number(args[i + 2]));
      i += 2;
    } else if (command == "fsize") {
      SetLimit(RLIMIT_FSIZE, Number(args[i + 1]));
      i += 1;
    } else if (command == "nofile") {
      SetLimit(RLIMIT_NOFILE, Number(args[i + 1]));
      i += 1;
    } else if (command == "call") {
      ActiveCall call(args[i + 1]);
      Run(count - i - 2, args + i + 2);
      return;
    } else if (command == "read") {
      ReadToEnd();
    } else if (command == "fatal") {
      FatalReport(Number(args[i + 1]), Number(args[i + 2]), Number(args[i + 3]));
    } else if (command == "close-stdout") {
      close(STDOUT_FILENO);
    } else if (command == "stop") {
      StopProgram();
    } else {
      std::fprintf(stderr, "channel_probe: unknown command %s\n", args[i]);
      std::_Exit(125);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  Run(argc - 1, argv + 1);
  StopProgram();
}
