// Output channels: the console output and the files the program creates,
// each addressed by its channel number and written through a buffer over a
// file descriptor.
#pragma once

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

}  // namespace floodwave::textio
