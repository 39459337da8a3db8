#include "support/program_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <thread>

namespace floodwave::testing {

namespace fs = std::filesystem;

ProgramProcess::ProgramProcess(const fs::path& program, const fs::path& dir,
                               const std::string& input, ProcessOptions options) {
  const fs::path in_file = io_.path() / "stdin";
  const fs::path out_file = io_.path() / "stdout";
  const fs::path err_file = io_.path() / "stderr";
  WriteFile(in_file, input);
  const fs::path stdin_file = options.input_file ? *options.input_file : in_file;
  int pipe_ends[2] = {-1, -1};
  if (options.output_pipe && pipe2(pipe_ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe");

  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    const int in = open(stdin_file.c_str(), O_RDONLY);
    const int out = options.output_pipe ? pipe_ends[1]
                                        : open(out_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 ||
        chdir(dir.c_str()) != 0) {
      _exit(127);
    }
    // The program starts as a shell would start it: default dispositions.
    for (const int s : {SIGPIPE, SIGXFSZ, SIGINT, SIGQUIT, SIGHUP, SIGTERM}) signal(s, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    if (options.file_size_limit) {
      const rlimit limit{*options.file_size_limit, *options.file_size_limit};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(127);
    }
    if (options.memory_limit) {
      const rlimit limit{*options.memory_limit, *options.memory_limit};
      if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(127);
    }
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  if (options.output_pipe) {
    piped_ = true;
    close(pipe_ends[1]);
    output_fd_ = pipe_ends[0];
  }
}

ProgramProcess::~ProgramProcess() {
  if (!finished_) {
    kill(pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
  if (output_fd_ >= 0) close(output_fd_);
}

void ProgramProcess::Signal(int signal_number) { kill(pid_, signal_number); }

bool ProgramProcess::ReadOutputUntil(const std::string& text, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (out_.find(text) == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (output_fd_ < 0 || left.count() <= 0) return false;
    pollfd ready{output_fd_, POLLIN, 0};
    if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
    char buffer[4096];
    const ssize_t got = read(output_fd_, buffer, sizeof buffer);
    if (got <= 0) return false;
    out_.append(buffer, static_cast<std::size_t>(got));
  }
  return true;
}

void ProgramProcess::CloseOutput() {
  if (output_fd_ >= 0) close(output_fd_);
  output_fd_ = -1;
}

bool ProgramProcess::Running() const {
  siginfo_t info{};
  // WNOWAIT: look without reaping, so that Finish still gets the status.
  if (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) != 0) return false;
  return info.si_pid == 0;
}

ProgramRun ProgramProcess::Finish(std::chrono::milliseconds limit) {
  ProgramRun run;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  for (;;) {
    // Keep the pipe drained, or the program could wait on it forever.
    if (output_fd_ >= 0) {
      char buffer[65536];
      pollfd ready{output_fd_, POLLIN, 0};
      while (poll(&ready, 1, 0) > 0) {
        const ssize_t got = read(output_fd_, buffer, sizeof buffer);
        if (got <= 0) break;
        out_.append(buffer, static_cast<std::size_t>(got));
      }
    }
    const pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) break;
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid_, SIGKILL);
      waitpid(pid_, &status, 0);
      run.timed_out = true;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  finished_ = true;
  if (WIFEXITED(status)) run.exit_status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
  run.out = piped_ ? out_ : ReadFile(io_.path() / "stdout");
  run.err = ReadFile(io_.path() / "stderr");
  return run;
}

}  // namespace floodwave::testing
