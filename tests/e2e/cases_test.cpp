// Runs every recorded use of the program: the answers a user types and
// everything the program must produce for them, compared byte for byte.
//
// Each folder of cases/ holds:
//   stdin              the answers, as typed
//   before/            files present in the working directory at the start
//   expected/stdout    standard output
//   expected/stderr    standard error; @DIR@ stands for the working directory
//   expected/status    the exit status
//   expected/files/    every file the working directory must hold at the end
// The expected files are built by make_cases.py from the program's published
// texts and worked values, not from the program's own output.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/program_run.h"

namespace floodwave::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kCases = fs::path(FLOODWAVE_TEST_DATA) / "e2e" / "cases";

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kCases)) {
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string Substitute(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

class RecordedCase : public ::testing::TestWithParam<std::string> {};

TEST_P(RecordedCase, ProducesExactlyTheExpectedOutput) {
  const fs::path root = kCases / GetParam();
  TempDir dir;
  if (fs::exists(root / "before")) {
    fs::copy(root / "before", dir.path(), fs::copy_options::recursive);
  }

  const ProgramRun run = RunProgram(FLOODWAVE_EXE, dir.path(), ReadFile(root / "stdin"));

  ASSERT_FALSE(run.timed_out);
  EXPECT_EQ(run.signal, 0);
  EXPECT_EQ(run.exit_status, std::stoi(ReadFile(root / "expected" / "status")));
  EXPECT_EQ(Lines(run.out), Lines(ReadFile(root / "expected" / "stdout")));
  EXPECT_EQ(run.out, ReadFile(root / "expected" / "stdout"));
  const std::string err =
      Substitute(ReadFile(root / "expected" / "stderr"), "@DIR@", dir.path().string());
  EXPECT_EQ(run.err, err);

  const auto expected_files = FilesIn(root / "expected" / "files");
  const auto files = FilesIn(dir.path());
  std::vector<std::string> expected_names, names;
  for (const auto& [name, content] : expected_files) expected_names.push_back(name);
  for (const auto& [name, content] : files) names.push_back(name);
  ASSERT_EQ(names, expected_names);
  for (const auto& [name, content] : expected_files) {
    EXPECT_EQ(Lines(files.at(name)), Lines(content)) << name;
    EXPECT_EQ(files.at(name), content) << name << " differs in its bytes";
  }
}

INSTANTIATE_TEST_SUITE_P(EndToEnd, RecordedCase, ::testing::ValuesIn(CaseNames()),
                         [](const auto& test) { return test.param; });

}  // namespace
}  // namespace floodwave::testing
