// Runs the built program as a user would: in a directory of its own, with a
// scripted standard input, capturing standard output, standard error and the
// exit status.
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace floodwave::testing {

struct ProgramRun {
  int exit_status = -1;  // exit code, or -1 if the process did not exit
  int signal = 0;        // signal that ended it, if any
  bool timed_out = false;
  std::string out;
  std::string err;
};

// A fresh, empty, uniquely named directory, removed with its content when
// the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(std::string_view name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Runs `program` with no arguments in `dir`, its standard input read from
// `input`. The process is killed after `limit`.
ProgramRun RunProgram(const std::filesystem::path& program, const std::filesystem::path& dir,
                      const std::string& input,
                      std::chrono::milliseconds limit = std::chrono::seconds(60));

std::string ReadFile(const std::filesystem::path& file);
void WriteFile(const std::filesystem::path& file, const std::string& content);

// Every regular file below `dir`, by its path relative to `dir`.
std::map<std::string, std::string> FilesIn(const std::filesystem::path& dir);

// The lines of a text, each without its CR LF, for readable failures.
std::vector<std::string> Lines(const std::string& text);

}  // namespace floodwave::testing
