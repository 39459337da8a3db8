// Running the channel probe as a real process in a fresh directory, with
// its standard streams arranged by the test, and collecting what it leaves:
// exit status, standard output and standard error bytes, files.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "support/program_run.h"

namespace floodwave::textio::testing {

using floodwave::testing::ReadFile;
using floodwave::testing::TempDir;
using floodwave::testing::WriteFile;

inline bool Exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

enum class StandardOutput { kPipe, kDevFull, kClosedPipe };
enum class StandardInput { kDevNull, kHeldOpen };

struct ProbeResult {
  int exit_status = -1;  // -1 when the process died of a signal
  int signal = 0;
  std::string out;
  std::string err;
};

class ProbeProcess {
 public:
  ProbeProcess(const TempDir& dir, std::vector<std::string> args,
               StandardOutput output = StandardOutput::kPipe,
               StandardInput input = StandardInput::kDevNull, int ignored_signal = 0) {
    const std::string program = std::string(FLOODWAVE_PROBE_DIR) + "/channel_probe";
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);

    int out_pipe[2] = {-1, -1};
    int err_pipe[2];
    int in_pipe[2] = {-1, -1};
    if (pipe2(err_pipe, O_CLOEXEC) != 0) std::abort();
    if (output != StandardOutput::kDevFull && pipe2(out_pipe, O_CLOEXEC) != 0) std::abort();
    if (input == StandardInput::kHeldOpen && pipe2(in_pipe, O_CLOEXEC) != 0) std::abort();
    if (output == StandardOutput::kClosedPipe) {
      // Nobody will ever read: the probe's first console write meets a
      // closed pipe.
      close(out_pipe[0]);
      out_pipe[0] = -1;
    }
    const std::string directory = dir.path().string();

    pid_ = fork();
    if (pid_ < 0) std::abort();
    if (pid_ == 0) {
      // Only async-signal-safe calls between fork and exec.
      if (chdir(directory.c_str()) != 0) _exit(126);
      const int in_fd = input == StandardInput::kHeldOpen ? in_pipe[0] : open("/dev/null", O_RDONLY);
      const int out_fd = output == StandardOutput::kDevFull ? open("/dev/full", O_WRONLY) : out_pipe[1];
      dup2(in_fd, STDIN_FILENO);
      dup2(out_fd, STDOUT_FILENO);
      dup2(err_pipe[1], STDERR_FILENO);
      // Start with the default signal dispositions and an empty mask,
      // whatever the test runner has.
      sigset_t none;
      sigemptyset(&none);
      sigprocmask(SIG_SETMASK, &none, nullptr);
      for (const int signal_number : {SIGPIPE, SIGINT, SIGQUIT, SIGHUP, SIGTERM}) signal(signal_number, SIG_DFL);
      // As nohup or a shell's background job would leave it.
      if (ignored_signal != 0) signal(ignored_signal, SIG_IGN);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(err_pipe[1]);
    err_fd_ = err_pipe[0];
    if (out_pipe[1] >= 0) close(out_pipe[1]);
    out_fd_ = out_pipe[0];
    if (in_pipe[0] >= 0) close(in_pipe[0]);
    in_fd_ = in_pipe[1];
  }

  ~ProbeProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    CloseFd(out_fd_);
    CloseFd(err_fd_);
    CloseFd(in_fd_);
  }
  ProbeProcess(const ProbeProcess&) = delete;
  ProbeProcess& operator=(const ProbeProcess&) = delete;

  // Collects standard output until it holds `marker`; false on timeout or
  // when the output ends first.
  bool WaitForOutput(std::string_view marker, std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (result_.out.find(marker) == std::string::npos) {
      if (std::chrono::steady_clock::now() > deadline) return false;
      if (!Collect(true, 50) && out_fd_ < 0) return result_.out.find(marker) != std::string::npos;
    }
    return true;
  }

  // After a signal, standard input stays open until the process has ended,
  // so that the end of the input cannot overtake the signal.
  void Signal(int signal_number) {
    signalled_ = true;
    kill(pid_, signal_number);
  }

  // Closes the probe's standard input (unless it was signalled), collects
  // everything until the process has ended and returns the result. With
  // `read_output` false,
  // standard output is left unread until the process has ended, so that a
  // probe writing to the console stays blocked in that write.
  ProbeResult Finish(bool read_output = true, std::chrono::seconds timeout = std::chrono::seconds(30)) {
    if (!signalled_) CloseFd(in_fd_);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    for (;;) {
      const pid_t done = waitpid(pid_, &status, WNOHANG);
      if (done == pid_) break;
      if (std::chrono::steady_clock::now() > deadline) {
        kill(pid_, SIGKILL);
        waitpid(pid_, &status, 0);
        result_.err += "\n[probe killed after timeout]";
        break;
      }
      Collect(read_output, 20);
    }
    pid_ = -1;
    CloseFd(in_fd_);
    while (out_fd_ >= 0 || err_fd_ >= 0) Collect(true, 1000);
    if (WIFEXITED(status)) result_.exit_status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result_.signal = WTERMSIG(status);
    return result_;
  }

 private:
  static void CloseFd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
  }

  // Reads whatever is ready within `wait_ms`; false when nothing came.
  bool Collect(bool read_output, int wait_ms) {
    pollfd fds[2] = {{err_fd_, POLLIN, 0}, {read_output ? out_fd_ : -1, POLLIN, 0}};
    if (poll(fds, 2, wait_ms) <= 0) return false;
    bool got = false;
    got |= Drain(fds[0], err_fd_, result_.err);
    got |= Drain(fds[1], out_fd_, result_.out);
    return got;
  }

  static bool Drain(const pollfd& ready, int& fd, std::string& sink) {
    if (fd < 0 || ready.fd < 0 || (ready.revents & (POLLIN | POLLHUP | POLLERR)) == 0) return false;
    char buffer[65536];
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got > 0) {
      sink.append(buffer, static_cast<std::size_t>(got));
      return true;
    }
    if (got == 0 || errno != EINTR) CloseFd(fd);
    return false;
  }

  pid_t pid_ = -1;
  int out_fd_ = -1;
  int err_fd_ = -1;
  int in_fd_ = -1;
  bool signalled_ = false;
  ProbeResult result_;
};

// Runs the probe to its end with standard input at /dev/null.
inline ProbeResult RunProbe(const TempDir& dir, std::vector<std::string> args,
                            StandardOutput output = StandardOutput::kPipe) {
  ProbeProcess probe(dir, std::move(args), output);
  return probe.Finish();
}

}  // namespace floodwave::textio::testing
