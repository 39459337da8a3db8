// The built program as a process the test can act on while it runs: send
// it signals, close the pipe its standard output goes to, and limit the
// size of the files it writes.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "support/program_run.h"

namespace floodwave::testing {

struct ProcessOptions {
  // Standard output into a pipe the test reads (and may close), instead of
  // a file.
  bool output_pipe = false;
  // RLIMIT_FSIZE for the process, in bytes: a write beyond it is refused.
  std::optional<unsigned long> file_size_limit;
  // RLIMIT_AS, in bytes: memory beyond it is refused.
  std::optional<unsigned long> memory_limit;
  // Standard input read from this file instead of the `input` text.
  std::optional<std::filesystem::path> input_file;
};

// Started in `dir` with its standard input read from `input`, like
// RunProgram; standard error goes to a file. The process is killed and
// reaped when the object goes, if Finish was not called.
class ProgramProcess {
 public:
  ProgramProcess(const std::filesystem::path& program, const std::filesystem::path& dir,
                 const std::string& input, ProcessOptions options = {});
  ~ProgramProcess();
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;

  pid_t pid() const { return pid_; }
  void Signal(int signal_number);

  // With an output pipe: reads until the output so far holds `text`, or
  // until `limit` has passed (false). Everything read is kept in the
  // result's `out`.
  bool ReadOutputUntil(const std::string& text, std::chrono::milliseconds limit);
  // Closes the test's end of the output pipe: the next write the program
  // makes to its standard output fails.
  void CloseOutput();

  // True while the process has not ended (it is not reaped here).
  bool Running() const;

  // Waits for the end (killing the process after `limit`), then gathers
  // the status and the streams.
  ProgramRun Finish(std::chrono::milliseconds limit);

 private:
  TempDir io_;
  pid_t pid_ = -1;
  int output_fd_ = -1;
  bool piped_ = false;
  bool finished_ = false;
  std::string out_;
};

}  // namespace floodwave::testing
