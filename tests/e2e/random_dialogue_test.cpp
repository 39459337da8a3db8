// Random dialogues through the built program: answers files that mix good
// answers with unreadable text, values out of range, blank lines, lone "/"
// and ",", repeat counts, lines of 100 KB, binary bytes (NUL, CR, 0xFF) and
// an input that ends early. Whatever the mix, the program must end by
// itself, quickly, with status 0 or 24 (10 when DIALOG.DAT was there
// before), say nothing on standard error but its report, never copy an
// answer into DIALOG.DAT or onto the console, and leave every file ending
// where a whole write ended.
//
// Every answer that is not meant to be taken carries the marker "QZQ"; no
// text of the program holds it, and no value can print as it. The good
// answers keep runs short: a time step of at least 0.5 s and a duration of
// at most 40 s.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "support/program_run.h"

namespace floodwave {
namespace {

using testing::FilesIn;
using testing::ProgramRun;
using testing::ReadFile;
using testing::RunProgram;
using testing::TempDir;
using testing::WriteFile;

#if defined(FLOODWAVE_SANITIZED)
constexpr int kDialogues = 160;
#else
constexpr int kDialogues = 400;
#endif

constexpr char kMarker[] = "QZQ";

// Writes one answers file, deterministic for its seed.
class AnswersGenerator {
 public:
  explicit AnswersGenerator(std::uint32_t seed) : random_(seed) {}

  std::string Generate() {
    Channel();
    Hydrograph();
    const int nodes = Division();
    TimeStep();
    Duration();
    Stations(nodes);
    Frequency();
    FileName();
    // The pause after a run check takes one line; a normal end takes none.
    Line(Pick({"", "QZQ", "QZQ \xff\r"}));
    std::string text;
    for (const std::string& line : lines_) text += line + '\n';
    if (Chance(0.3)) {  // the input ends early, perhaps inside a line
      text.resize(Below(static_cast<std::uint32_t>(text.size()) + 1));
    }
    return text;
  }

 private:
  bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }
  std::uint32_t Below(std::uint32_t n) {
    return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(random_);
  }
  template <class T>
  const T& Pick(const std::vector<T>& choices) {
    return choices[Below(static_cast<std::uint32_t>(choices.size()))];
  }
  std::string Pick(std::initializer_list<const char*> choices) {
    return std::vector<std::string>(choices.begin(), choices.end())[Below(
        static_cast<std::uint32_t>(choices.size()))];
  }
  void Line(const std::string& line) { lines_.push_back(line); }

  // Bytes that no reader can take as a value: the marker first, then
  // anything but a line feed (NUL, CR and 0xFF included).
  std::string Binary() {
    std::string text = kMarker;
    const std::uint32_t length = 1 + Below(40);
    for (std::uint32_t i = 0; i < length; ++i) {
      char c = static_cast<char>(Below(256));
      if (c == '\n') c = '\0';
      text += c;
    }
    return text;
  }

  // 100 KB in one line around a value: blanks before it or garbage after.
  std::string LongLine(const std::string& value) {
    if (Chance(0.5)) return std::string(100'000, ' ') + value;
    std::string text = value + " ";
    while (text.size() < 100'000) text += kMarker;
    return text;
  }

  // Answers that cannot be read, at a number question: the same question
  // comes back. Blank lines are passed over by the read.
  void Unreadable(int most) {
    const std::uint32_t count = Below(static_cast<std::uint32_t>(most) + 1);
    for (std::uint32_t i = 0; i < count; ++i) {
      switch (Below(7)) {
        case 0: Line(Pick({"QZQ", "QZQ 10", "'QZQ'", "\"QZQ\""})); break;
        case 1: Line(Pick({"1.5.2QZQ", "--5QZQ", "5mQZQ", "1.5EQZQ", "+QZQ", ".QZQ"})); break;
        case 2: Line(Pick({"1e40 QZQ", "-1E39 QZQ", "infinQZQ"})); break;  // 64
        case 3: Line(Pick({"", "   ", "\t", "\r"})); break;
        case 4: Line(Binary()); break;
        case 5: Line(std::string(100'000, 'Q') + "ZQ"); break;
        default: Line(Pick({"0*5 QZQ", "99999999999*1 QZQ", "QZQ*2"})); break;
      }
    }
  }

  // One number question whose every readable answer is taken.
  void Free(const std::vector<std::string>& good) {
    Unreadable(2);
    std::string value = Pick(good);
    switch (Below(6)) {
      case 0: Line(LongLine(value)); break;
      case 1: Line(value + " QZQ"); break;
      case 2: Line(value + ",QZQ"); break;
      case 3: Line("1*" + value); break;
      case 4: Line(value + "\r"); break;
      default: Line(value); break;
    }
  }

  void Channel() {
    Free({"10", "1E1", "10.", "/", ","});  // "/" and "," keep 0: a triangle
    Free({"2", "2.0", "0"});
    Free({"0.001", "1D-3", "1-3", ".001"});
    Free({"0.03", "3E-2"});
    Free({"2", "2.5", "1.5+0"});
    Free({"1000", "500", "1E3"});
  }

  void Hydrograph() {
    Free({"600", "300"});
    Free({"50", "20", "0"});
    Free({"1800", "900"});
  }

  // Returns the number of nodes the accepted answer gives.
  int Division() {
    for (;;) {
      if (Chance(0.5)) {
        Line(Pick({"", "O", "o", "QZQ", "yes QZQ", "\xff\x00QZQ", "\rQZQ"}));
        return 101;
      }
      Line(Pick({"N", "n", "No QZQ", "N\r"}));
      Unreadable(1);
      if (Chance(0.3)) {
        Line(Pick({"0", "101", "-5", "2147483648"}));  // the whole block again
        continue;
      }
      const int divisions = 10 + static_cast<int>(Below(91));
      Line(std::to_string(divisions));
      return divisions + 1;
    }
  }

  void TimeStep() {
    const std::uint32_t refused = Below(3);
    for (std::uint32_t i = 0; i < refused; ++i) {
      if (Chance(0.5)) {
        Unreadable(1);
      } else {
        Line(Pick({"0", "-1", "1E6", "nan", "inf", "1e40"}));
      }
    }
    if (refused == 0 && Chance(0.4)) {
      Line(Pick({"/", ",", " / QZQ"}));  // the largest stable step
    } else {
      Line(Pick({"0.5", ".5", "5D-1", "1*0.5", "0.5,QZQ"}));
    }
  }

  void Duration() {
    const std::uint32_t refused = Below(3);
    for (std::uint32_t i = 0; i < refused; ++i) {
      Line(Pick({"0.1", "-5", "inf", "nan", "1e39", "QZQ", "/", ","}));
    }
    Free({"5", "12", "20.5", "4E1", "40"});
  }

  void Stations(int nodes) {
    auto node = [&] { return std::to_string(1 + Below(static_cast<std::uint32_t>(nodes))); };
    const std::uint32_t refused = Below(3);
    for (std::uint32_t i = 0; i < refused; ++i) {
      switch (Below(4)) {
        case 0: Line("0 1 2"); break;
        case 1: Line(node() + " " + node() + " " + std::to_string(nodes + 1)); break;
        case 2: Line(node() + ",QZQ"); break;
        default: Line("-1,2,3"); break;
      }
    }
    const std::string a = node(), b = node(), c = node();
    switch (Below(5)) {
      case 0: Line(a + " " + b + " " + c); break;
      case 1: Line(a + "," + b + "," + c + " QZQ"); break;
      case 2: Line(a); Line(""); Line(b + ", " + c); break;
      case 3: Line(a + ","); Line(b + "," + c); break;
      default: Line("3*" + a); break;
    }
  }

  void Frequency() {
    const std::uint32_t refused = Below(3);
    for (std::uint32_t i = 0; i < refused; ++i) {
      Line(Pick({"0", "-2", "QZQ", "99999", "2147483648", "/", ","}));
    }
    Free({"1", "2", "3"});
  }

  void FileName() {
    const std::uint32_t refused = Below(3);
    for (std::uint32_t i = 0; i < refused; ++i) {
      static const std::vector<std::string> refused_names = {
          "DIALOG.DAT", "", "   ", "nodir/x.out", std::string("r\0QZQ.out", 8)};
      Line(Pick(refused_names));
    }
    Line(Pick({"r.out", "  r.out  ", "RESULTS.TXT", "r\r"}));
  }

  std::mt19937 random_;
  std::vector<std::string> lines_;
};

bool IsLetters(const std::string& text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
  }
  return true;
}

// "  in Name" or "  in (N more calls)": a line of the active calls.
bool IsCallLine(const std::string& line) {
  if (!line.starts_with("  in ")) return false;
  const std::string rest = line.substr(5);
  return IsLetters(rest) || (rest.starts_with("(") && rest.ends_with(" more calls)"));
}

// Each line of standard error must belong to a report: its first line,
// with the number of the exit status, then the active calls.
void ExpectOnlyReport(const ProgramRun& run, int status, const std::string& context) {
  const std::vector<std::string> lines = testing::Lines(run.err);
  if (status == 0) {
    EXPECT_TRUE(run.err.empty()) << context << run.err;
    return;
  }
  ASSERT_FALSE(lines.empty()) << context;
  const std::string head = "floodwave: severe (" + std::to_string(status) + "): ";
  EXPECT_TRUE(lines[0].starts_with(head)) << context << lines[0];
  for (std::size_t i = 1; i < lines.size(); ++i) {
    EXPECT_TRUE(IsCallLine(lines[i])) << context << lines[i];
  }
  EXPECT_TRUE(run.err.ends_with("  in floodwave\r\n")) << context << run.err;
}

// DIALOG.DAT ends after a whole record, or with the prompt the program was
// waiting at: its text ends in "= ", the answer never follows.
void ExpectDialogEnding(const std::string& dialog, const std::string& context) {
  const auto last_record = dialog.rfind("\r\n");
  const std::string tail =
      last_record == std::string::npos ? dialog : dialog.substr(last_record + 2);
  EXPECT_TRUE(tail.empty() || tail.ends_with("= ")) << context << "DIALOG.DAT ends \"" << tail << "\"";
}

TEST(RandomDialogue, EndsCleanlyWithNothingLostOrEchoed) {
  int normal_ends = 0;
  int complete_inputs = 0;
  for (int i = 0; i < kDialogues; ++i) {
    const std::uint32_t seed = 1000u + static_cast<std::uint32_t>(i);
    const std::string input = AnswersGenerator(seed).Generate();
    const bool dialog_before = i % 25 == 24;
    const std::string context = "dialogue seed " + std::to_string(seed) + ": ";

    TempDir dir;
    const std::string old_dialog = "an earlier run's log\r\n";
    if (dialog_before) WriteFile(dir.path() / "DIALOG.DAT", old_dialog);
    const auto started = std::chrono::steady_clock::now();
    const ProgramRun run = RunProgram(FLOODWAVE_EXE, dir.path(), input, std::chrono::seconds(20));
    const auto took = std::chrono::steady_clock::now() - started;

    ASSERT_FALSE(run.timed_out) << context << "did not end";
    ASSERT_EQ(run.signal, 0) << context << "ended by a signal";
    EXPECT_LT(took, std::chrono::seconds(10)) << context;
    if (dialog_before) {
      EXPECT_EQ(run.exit_status, 10) << context;
      EXPECT_EQ(ReadFile(dir.path() / "DIALOG.DAT"), old_dialog) << context;
      EXPECT_EQ(FilesIn(dir.path()).size(), 1u) << context;
      ExpectOnlyReport(run, 10, context);
      continue;
    }
    ASSERT_TRUE(run.exit_status == 0 || run.exit_status == 24)
        << context << "status " << run.exit_status << "\n" << run.err;
    ExpectOnlyReport(run, run.exit_status, context);
    EXPECT_EQ(run.out.find(kMarker), std::string::npos) << context << "an answer on the console";
    if (run.exit_status == 0) ++normal_ends;
    if (input.ends_with('\n')) ++complete_inputs;

    for (const auto& [name, content] : FilesIn(dir.path())) {
      if (name == "DIALOG.DAT") {
        EXPECT_EQ(content.find(kMarker), std::string::npos) << context << "an answer in DIALOG.DAT";
        ExpectDialogEnding(content, context);
      } else {
        // The results file: created, then written a record at a time.
        EXPECT_TRUE(content.empty() || content.ends_with("\r\n"))
            << context << name << " ends in the middle of a record";
        if (run.exit_status == 0) {
          EXPECT_FALSE(content.empty()) << context << name;
        }
      }
    }
    EXPECT_TRUE(FilesIn(dir.path()).contains("DIALOG.DAT")) << context;
  }
  // The generator must let most complete inputs reach the end of a run, or
  // it tests only the first questions.
  EXPECT_GT(normal_ends, complete_inputs / 2) << normal_ends << " of " << complete_inputs;
}

}  // namespace
}  // namespace floodwave
