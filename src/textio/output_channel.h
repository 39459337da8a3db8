// Output channels: the console output and the files the program creates,
// each addressed by its channel number and written through a buffer over a
// file descriptor.
#pragma once

#include <cstddef>
#include <string_view>

namespace floodwave::textio {

inline constexpr int kConsoleInput = -4;
inline constexpr int kConsoleOutput = -1;

// Hands one whole write (one or more records, the last one possibly left
// open) to a connected output channel. The console (connected at its first
// write) is written through at the end of every write, so a prompt is on
// the screen before the program waits; the files are buffered (64 KiB) and
// written out when the buffer fills and when the process ends. A write is
// never split by an interrupt: the file holds all of it or none of it. A
// refused write ends the program with report 38 naming the channel.
void WriteToChannel(int unit, std::string_view bytes);

// Fills at most `most` bytes at `out` with one whole write and returns how
// many it placed. It must not write to any channel itself.
using ComposeWrite = std::size_t (*)(char* out, const void* context);

// One whole write composed in place: a file channel reserves `most` bytes
// in its buffer (writing the buffer out first when they do not fit), lets
// `compose` fill them and keeps what it placed, all under the channel's
// lock, so the guarantees of WriteToChannel hold unchanged. The console,
// and a write larger than a file buffer, are composed aside and then
// written as by WriteToChannel.
void ComposeToChannel(int unit, std::size_t most, ComposeWrite compose, const void* context);

template <class Compose>
void ComposeToChannel(int unit, std::size_t most, const Compose& compose) {
  ComposeToChannel(
      unit, most,
      [](char* out, const void* context) -> std::size_t {
        return (*static_cast<const Compose*>(context))(out);
      },
      &compose);
}

}  // namespace floodwave::textio
