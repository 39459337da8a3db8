// The reads of the program over its real standard input, through a probe
// process: line ends, a last line without line feed, very long lines, the
// end of the input and a failed read.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct ProbeRun {
  int status = -1;  // exit status, or -1 when the probe did not exit
  std::string out;
  std::string err;
};

std::string Slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class ConsoleRead : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/console_read_XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    dir_ = name;
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs the probe with `commands`, its standard input the file `input`
  // (or the path `stdin_path` when given).
  ProbeRun Probe(const std::string& input, const std::vector<std::string>& commands,
            const fs::path& stdin_path = {}) {
    const fs::path in = stdin_path.empty() ? dir_ / "in" : stdin_path;
    if (stdin_path.empty()) std::ofstream(in, std::ios::binary) << input;
    const std::string probe = std::string(FLOODWAVE_PROBE_DIR) + "/console_input_probe";
    std::vector<char*> argv{const_cast<char*>(probe.c_str())};
    for (const std::string& c : commands) argv.push_back(const_cast<char*>(c.c_str()));
    argv.push_back(nullptr);
    const std::string out = (dir_ / "out").string();
    const std::string err = (dir_ / "err").string();
    const pid_t pid = fork();
    if (pid == 0) {
      const int in_fd = open(in.c_str(), O_RDONLY);
      const int out_fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int err_fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (in_fd < 0 || out_fd < 0 || err_fd < 0) _exit(120);
      dup2(in_fd, 0);
      dup2(out_fd, 1);
      dup2(err_fd, 2);
      execv(argv[0], argv.data());
      _exit(121);
    }
    ProbeRun run;
    int wait_status = 0;
    for (int waited = 0; waitpid(pid, &wait_status, WNOHANG) == 0; ++waited) {
      if (waited == 3000) {  // 30 s: the probe hangs
        kill(pid, SIGKILL);
        waitpid(pid, &wait_status, 0);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (WIFEXITED(wait_status)) run.status = WEXITSTATUS(wait_status);
    run.out = Slurp(out);
    run.err = Slurp(err);
    return run;
  }

  fs::path dir_;
};

const std::vector<std::string> kDialogue = {"real", "int", "three", "a1", "a50", "pause", "real"};

std::string Answers(const std::string& end) {
  return "2.5" + end + "25" + end + "1 50 101" + end + "No" + end + "my file.txt" + end +
         "anything at all 5m" + end + "-1e-50" + end;
}

const char kDialogueOut[] =
    "real 0 2.5\n"
    "int 0 25\n"
    "three 0 1 50 101\n"
    "a1 [N]\n"
    "a50 [my file.txt                                       ]\n"
    "pause\n"
    "real 0 -0\n";

TEST_F(ConsoleRead, LineFeedAndCarriageReturnLineFeedLinesReadAlike) {
  for (const char* end : {"\n", "\r\n"}) {
    const ProbeRun run = Probe(Answers(end), kDialogue);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, kDialogueOut);
    EXPECT_EQ(run.err, "");
  }
}

TEST_F(ConsoleRead, ALastLineWithoutLineFeedIsALine) {
  ProbeRun run = Probe("\n  \n1\n50\n101", {"three"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "three 0 1 50 101\n");
  run = Probe("my name", {"a50"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "a50 [my name" + std::string(43, ' ') + "]\n");
}

TEST_F(ConsoleRead, AnUnreadableAnswerHandsBackItsStatusAndTheNextReadTakesTheNextLine) {
  const ProbeRun run = Probe("5m 7\nabc, 2\n1E39\n2.5 3\n'x'\n\t, 1 x\n", {"real", "int", "real", "real", "int", "three", "real"});
  EXPECT_EQ(run.status, 24);
  EXPECT_EQ(run.out,
            "real 59 777\n"
            "int 59 777\n"
            "real 64 inf\n"
            "real 0 2.5\n"
            "int 64 777\n"
            "three 59 777 1 777\n");
}

TEST_F(ConsoleRead, LinesOfAMegabyte) {
  const std::string blanks(1 << 20, ' ');
  std::string name(1 << 20, 'x');
  name.replace(0, 5, "\t,/*'");
  const ProbeRun run = Probe(blanks + "7.25" + blanks + "9\n" + name + "\r\n" + "1\n", {"real", "a50", "int"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "real 0 7.25\na50 [\t,/*'" + std::string(45, 'x') + "]\nint 0 1\n");
}

TEST_F(ConsoleRead, TheEndOfTheInputEndsTheProgramWithReport24) {
  struct Case {
    std::string input;
    std::vector<std::string> commands;
    std::string out;
    const char* call;
  } cases[] = {
      {"", {"real"}, "", "ReadFree"},
      {"2.5\n", {"real", "real"}, "real 0 2.5\n", "ReadFree"},
      {"\n  \n", {"real"}, "", "ReadFree"},
      {"1 50", {"three"}, "", "ReadFree"},
      {"", {"pause"}, "", "ReadFree"},
      {"", {"a1"}, "", "ReadLayout"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input + " " + c.commands.back());
    const ProbeRun run = Probe(c.input, c.commands);
    EXPECT_EQ(run.status, 24);
    EXPECT_EQ(run.out, c.out);
    EXPECT_NE(run.err.find(": severe (24): end-of-file during read, unit -4, file CONIN$\r\n"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find(c.call), std::string::npos) << run.err;
  }
}

TEST_F(ConsoleRead, AFailedReadEndsTheProgramWithReport39) {
  const ProbeRun run = Probe("", {"real"}, "/");
  EXPECT_EQ(run.status, 39);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find(": severe (39): error during read, unit -4, file CONIN$\r\n"),
            std::string::npos)
      << run.err;
}

TEST_F(ConsoleRead, WithoutErrorBranchAnUnreadableAnswerEndsTheProgram) {
  ProbeRun run = Probe("abc\n", {"real!"});
  EXPECT_EQ(run.status, 59);
  EXPECT_EQ(run.out, "");
  run = Probe("1e39\n", {"real!"});
  EXPECT_EQ(run.status, 64);
  run = Probe("2.5\n", {"real!"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "real! 2.5\n");
}

}  // namespace
