// The text layer's own view of the output channels: naming and connecting
// them, and completing them at the end of the process. The rest of the
// program only writes (output_channel.h).
//
// Locking: every channel has a lock that is held for the whole of one
// write, buffer flushes included, so that another thread completing the
// channel sees either all of a write or none of it. The console input
// channel has no lock: a read waiting on it holds nothing.
#pragma once

#include <chrono>
#include <cstddef>
#include <string_view>

namespace floodwave::textio {

// Room for a working directory of PATH_MAX, a slash and a 256-character name.
inline constexpr std::size_t kMaxChannelName = 4096 + 1 + 256;
inline constexpr std::size_t kFileBufferSize = 64 * 1024;
// The console output channel and the two files.
inline constexpr int kOutputChannelCount = 3;

// Whether `unit` is one of the channels OpenNew connects to a file.
bool IsFileUnit(int unit);
bool IsChannelConnected(int unit);

// The name a report shows for `unit`: "CONIN$", "CONOUT$", the full path of
// a file channel (also the path attempted by a creation that failed), or
// nothing for a number that is no channel.
std::string_view ChannelName(int unit);

// Records the full path that file channel `unit` is created under.
void SetChannelName(int unit, std::string_view path);

// Connects file channel `unit` to the new file `fd`, positioned at its start.
void ConnectFileChannel(int unit, int fd);

struct RefusedWrite {
  int unit;
  int error;
};

// Writes out every connected channel's buffer and releases its file,
// adding nothing. A channel whose lock stays taken for longer than
// `lock_wait` (a write the system does not accept) is skipped rather than
// waited for. Returns how many writes were refused, listed in `refused`.
int CompleteChannels(std::chrono::milliseconds lock_wait,
                     RefusedWrite (&refused)[kOutputChannelCount]);

}  // namespace floodwave::textio
