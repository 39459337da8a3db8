// Creating new files: the name as typed, the full path that names the
// channel afterwards, and every way a creation can fail.
#include "textio/open_new.h"

#include <errno.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "textio/probe_process.h"

namespace floodwave::textio {
namespace {

using testing::Exists;
using testing::ReadFile;
using testing::RunProbe;
using testing::TempDir;
using testing::WriteFile;
using namespace std::string_literals;

// ---- The name text ----

TEST(TrimFileName, DropsLeadingBlanksAndTrailingBlanksAndNuls) {
  const struct {
    std::string text;
    std::string name;
  } cases[] = {
      {"DIALOG.DAT", "DIALOG.DAT"},
      {"   RESULTS.TXT", "RESULTS.TXT"},
      {"RESULTS.TXT" + std::string(39, ' '), "RESULTS.TXT"},
      {"  MY RUN 1.TXT  ", "MY RUN 1.TXT"},
      {"X \0 \0\0"s, "X"},
      {"sub/dir/file", "sub/dir/file"},
      {"A\0B  "s, "A\0B"s},  // an inner NUL stays, to be refused
      {"\0X"s, "\0X"s},      // only blanks are leading blanks
      {std::string(50, ' '), ""},
      {"\0\0 \0"s, ""},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TrimFileName(c.text), c.name) << "text of length " << c.text.size();
  }
}

TEST(ClassifyOpenError, MapsTheSystemReasonToTheReportNumber) {
  const struct {
    int error;
    int number;
    int system_error;
  } cases[] = {
      {EEXIST, 10, 0},       {ENOENT, 29, 0},       {ENOTDIR, 29, 0},
      {EACCES, 9, 0},        {EPERM, 9, 0},         {EROFS, 9, 0},
      {ENXIO, 42, 0},        {ENODEV, 42, 0},       {ENAMETOOLONG, 43, 0},
      {EINVAL, 43, 0},       {EISDIR, 43, 0},       {ELOOP, 43, 0},
      {EMFILE, 30, 0},       {ENFILE, 30, 0},       {ENOSPC, 30, ENOSPC},
      {EDQUOT, 30, EDQUOT},  {EIO, 30, EIO},
  };
  for (const auto& c : cases) {
    const OpenFailure failure = ClassifyOpenError(c.error);
    EXPECT_EQ(failure.number, c.number) << "errno " << c.error;
    EXPECT_EQ(failure.system_error, c.system_error) << "errno " << c.error;
  }
}

// ---- Creations in a real process ----

// The report line of a file channel and the listing after it.
std::string ReportAbout(int number, std::string_view message, int unit, const std::string& path) {
  return "floodwave: severe (" + std::to_string(number) + "): " + std::string(message) +
         ", unit " + std::to_string(unit) + ", file " + path + "\r\n  in OpenNew\r\n  in floodwave\r\n";
}

TEST(OpenNew, CreatesAnEmptyFileNamedByItsFullPath) {
  TempDir dir;
  std::filesystem::create_directory(dir / "sub");
  // A failing report about each channel shows the name it was given.
  const auto result = RunProbe(dir, {"start", "try", "5", "   RUN 1.TXT" + std::string(38, ' '),
                                     "open", "7", "sub/DIALOG.DAT", "fatal", "38", "5", "0"});
  EXPECT_EQ(result.exit_status, 38);
  EXPECT_EQ(result.out, "open 5 = 0\r\n");
  EXPECT_EQ(result.err, "floodwave: severe (38): error during write, unit 5, file " + (dir / "RUN 1.TXT") +
                            "\r\n  in floodwave\r\n");
  EXPECT_TRUE(Exists(dir / "RUN 1.TXT"));
  EXPECT_EQ(ReadFile(dir / "RUN 1.TXT"), "");
  EXPECT_EQ(ReadFile(dir / "sub/DIALOG.DAT"), "");
  EXPECT_FALSE(Exists(dir / "   RUN 1.TXT"));
}

TEST(OpenNew, AnAbsoluteNameIsItsOwnFullPath) {
  TempDir dir;
  const auto result = RunProbe(dir, {"start", "open", "5", "  " + (dir / "ABS.TXT"), "line", "5", "ROW",
                                     "fatal", "38", "5", "0"});
  EXPECT_EQ(result.exit_status, 38);
  EXPECT_EQ(result.err, "floodwave: severe (38): error during write, unit 5, file " + (dir / "ABS.TXT") +
                            "\r\n  in floodwave\r\n");
  EXPECT_EQ(ReadFile(dir / "ABS.TXT"), "ROW\r\n");
}

TEST(OpenNew, ExistingDialogFileEndsTheProgramAndStaysUnchanged) {
  TempDir dir;
  WriteFile(dir / "DIALOG.DAT", "an older run\r\n");
  const auto result = RunProbe(dir, {"start", "open", "7", "DIALOG.DAT", "line", "-1", "BANNER"});
  EXPECT_EQ(result.exit_status, 10);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, ReportAbout(10, "cannot overwrite existing file", 7, dir / "DIALOG.DAT"));
  EXPECT_EQ(ReadFile(dir / "DIALOG.DAT"), "an older run\r\n");
}

TEST(OpenNew, WithAnErrorBranchFailuresOnlyReturnTheirNumber) {
  TempDir dir;
  WriteFile(dir / "OLD.TXT", "keep me");
  const std::string long_name(255, 'a');  // the longest name most file systems take
  const auto result = RunProbe(
      dir, {"start", "try", "5", "OLD.TXT", "try", "5", "  OLD.TXT  ", "try", "5", std::string(50, ' '),
            "try", "5", "", "try", "5", "nodir/R.TXT", "try", "5", "OLD.TXT/R.TXT", "try", "5",
            long_name + "a", "try", "5", std::string(257, 'b'), "try", "5", "AB\\0CD", "try", "5",
            "NEW/", "try", "5", "/dev/null"});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out,
            "open 5 = 10\r\n"   // exists
            "open 5 = 10\r\n"   // exists, blanks around the name
            "open 5 = 43\r\n"   // blanks only
            "open 5 = 43\r\n"   // empty
            "open 5 = 29\r\n"   // missing directory
            "open 5 = 29\r\n"   // a file where a directory should be
            "open 5 = 43\r\n"   // a component longer than the system takes
            "open 5 = 43\r\n"   // a name text longer than 256 characters
            "open 5 = 43\r\n"   // a NUL before the end
            "open 5 = 43\r\n"   // a directory name
            "open 5 = 10\r\n"); // a device exists already
  EXPECT_EQ(ReadFile(dir / "OLD.TXT"), "keep me");
  // Nothing was created, not even under the part of the name before the NUL.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(OpenNew, TrailingNulsAreDroppedButAnInnerNulIsRefused) {
  TempDir dir;
  const auto result =
      RunProbe(dir, {"start", "try", "5", "AB\\0CD", "try", "5", "AB\\0\\0 \\0", "line", "5", "X"});
  EXPECT_EQ(result.out, "open 5 = 43\r\nopen 5 = 0\r\n");
  EXPECT_EQ(ReadFile(dir / "AB"), "X\r\n");
  EXPECT_FALSE(Exists(dir / "CD"));
}

TEST(OpenNew, WithoutAnErrorBranchEachFailureIsReported) {
  const struct {
    std::string name;
    int number;
    std::string message;
    std::string shown;  // the name in the report, after the directory
  } cases[] = {
      {"nodir/R.TXT", 29, "file not found", "nodir/R.TXT"},
      {"   ", 43, "file name specification error", ""},
      {std::string(300, 'c'), 43, "file name specification error", std::string(300, 'c')},
  };
  for (const auto& c : cases) {
    TempDir dir;
    const auto result = RunProbe(dir, {"start", "open", "5", c.name});
    EXPECT_EQ(result.exit_status, c.number) << c.name;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, ReportAbout(c.number, c.message, 5, dir / c.shown)) << c.name;
  }
}

TEST(OpenNew, NeverFollowsALinkAtTheName) {
  TempDir dir;
  WriteFile(dir / "TARGET.TXT", "target");
  ASSERT_EQ(symlink("TARGET.TXT", (dir / "LINK.TXT").c_str()), 0);
  ASSERT_EQ(symlink("MISSING.TXT", (dir / "DANGLING.TXT").c_str()), 0);
  const auto result =
      RunProbe(dir, {"start", "try", "5", "LINK.TXT", "try", "5", "DANGLING.TXT"});
  EXPECT_EQ(result.out, "open 5 = 10\r\nopen 5 = 10\r\n");
  EXPECT_EQ(ReadFile(dir / "TARGET.TXT"), "target");
  EXPECT_FALSE(Exists(dir / "MISSING.TXT"));
}

TEST(OpenNew, AFailedCreationLeavesTheChannelFreeForAnotherName) {
  TempDir dir;
  WriteFile(dir / "OLD.TXT", "old");
  const auto result = RunProbe(dir, {"start", "try", "5", "OLD.TXT", "try", "5", "NEW.TXT", "line", "5",
                                     "ROW", "try", "5", "THIRD.TXT", "stop"});
  // A channel already connected is not connected again.
  EXPECT_EQ(result.out, "open 5 = 10\r\nopen 5 = 0\r\nopen 5 = 30\r\n");
  EXPECT_EQ(ReadFile(dir / "NEW.TXT"), "ROW\r\n");
  EXPECT_EQ(ReadFile(dir / "OLD.TXT"), "old");
  EXPECT_FALSE(Exists(dir / "THIRD.TXT"));
}

TEST(OpenNew, TooManyOpenFilesIsAnOpenFailureWithoutSystemText) {
  TempDir dir;
  // Descriptors 0 to 2 are taken; a limit of 3 leaves none for the file.
  const auto result = RunProbe(dir, {"start", "nofile", "3", "open", "7", "DIALOG.DAT"});
  EXPECT_EQ(result.exit_status, 30);
  EXPECT_EQ(result.err, ReportAbout(30, "open failure", 7, dir / "DIALOG.DAT"));
  EXPECT_FALSE(Exists(dir / "DIALOG.DAT"));
}

// Whether creating `path` is refused for access reasons even for this user.
bool AccessRefused(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
  if (fd >= 0) {
    close(fd);
    unlink(path.c_str());
    return false;
  }
  return errno == EACCES || errno == EPERM || errno == EROFS;
}

TEST(OpenNew, RefusedAccessIsReported) {
  TempDir dir;
  std::string refused;
  if (geteuid() != 0) {
    std::filesystem::create_directory(dir / "locked");
    chmod((dir / "locked").c_str(), 0555);
    refused = dir / "locked/R.TXT";
  } else {
    // The superuser passes permission bits; sysfs still refuses it new files.
    refused = "/sys/floodwave-probe.txt";
  }
  if (!AccessRefused(refused)) GTEST_SKIP() << "no place here where creating a file is refused: " << refused;
  const auto result = RunProbe(dir, {"start", "try", "5", refused, "open", "7", refused});
  EXPECT_EQ(result.exit_status, 9);
  EXPECT_EQ(result.out, "open 5 = 9\r\n");
  EXPECT_EQ(result.err, ReportAbout(9, "permission to access file denied", 7, refused));
}

}  // namespace
}  // namespace floodwave::textio
