#include "textio/open_new.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "textio/channel_table.h"
#include "textio/message_catalogue.h"
#include "textio/program_end.h"
#include "textio/report_text.h"

namespace floodwave::textio {

namespace {

// The full path: the working directory and the name, or the name alone if
// it starts at the root or the working directory cannot be found.
void AppendFullPath(ReportText& out, std::string_view name) {
  char directory[PATH_MAX];
  if (!name.starts_with('/') && getcwd(directory, sizeof directory) != nullptr) {
    const std::string_view cwd(directory);
    out.Append(cwd);
    if (!cwd.ends_with('/')) out.Append("/");
  }
  out.Append(name);
}

// Moves a new file off descriptors 0 to 2: with standard output closed the
// file would otherwise receive the console's text.
int KeepOffStandardDescriptors(int fd) {
  if (fd > STDERR_FILENO) return fd;
  const int moved = fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
  const int error = errno;
  close(fd);
  errno = error;
  return moved;
}

OpenFailure CreateNew(int unit, std::string_view name) {
  // A connected channel keeps its name for the reports about it.
  if (!IsFileUnit(unit) || IsChannelConnected(unit)) return {kOpenFailure, 0};
  const std::string_view trimmed = TrimFileName(name);
  char path_storage[kMaxChannelName];
  ReportText path(path_storage);
  AppendFullPath(path, trimmed);
  SetChannelName(unit, path.View());

  // A NUL before the end would make the system create a shorter name than
  // the one typed.
  if (trimmed.empty() || name.size() > kMaxNameText ||
      trimmed.find('\0') != std::string_view::npos) {
    return {kFileNameError, 0};
  }

  char terminated[kMaxNameText + 1];
  trimmed.copy(terminated, trimmed.size());
  terminated[trimmed.size()] = '\0';
  // O_EXCL: fails on any existing name, a link included (never followed),
  // and never truncates.
  int fd;
  do {
    fd = open(terminated, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd >= 0) fd = KeepOffStandardDescriptors(fd);
  if (fd < 0) return ClassifyOpenError(errno);
  ConnectFileChannel(unit, fd);
  return {0, 0};
}

}  // namespace

std::string_view TrimFileName(std::string_view name) {
  const std::size_t first = name.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  name.remove_prefix(first);
  const std::size_t last = name.find_last_not_of(std::string_view(" \0", 2));
  return name.substr(0, last == std::string_view::npos ? 0 : last + 1);
}

OpenFailure ClassifyOpenError(int error) {
  switch (error) {
    case EEXIST:
      return {kExistingFile, 0};
    case ENOENT:
    case ENOTDIR:
      return {kFileNotFound, 0};
    case EACCES:
    case EPERM:
    case EROFS:
      return {kPermissionDenied, 0};
    case ENXIO:
    case ENODEV:
      return {kNoSuchDevice, 0};
    case ENAMETOOLONG:
    case EINVAL:
    case EISDIR:
    case ELOOP:
    case EILSEQ:
      return {kFileNameError, 0};
    case EMFILE:
    case ENFILE:
      return {kOpenFailure, 0};
    default:
      return {kOpenFailure, error};
  }
}

int OpenNew(int unit, std::string_view name, OnError on_error) {
  ActiveCall call("OpenNew");
  const OpenFailure failure = CreateNew(unit, name);
  if (failure.number != 0 && on_error == OnError::kReport) {
    FatalReport(failure.number, unit, failure.system_error);
  }
  return failure.number;
}

}  // namespace floodwave::textio
