// The records the channel probe writes in bulk, shared by the probe and the
// tests that check the files it leaves.
#pragma once

#include <cstdio>
#include <string>

namespace floodwave::textio::testing {

// One write of two records, 60 bytes each: the pair straddles the file
// buffer's boundaries, and a torn write would show as a broken pair.
inline constexpr std::size_t kRowPairSize = 120;

inline std::string RowPair(long index) {
  char text[160];
  const int length = std::snprintf(text, sizeof text,
                                   "%010ld FIRST  ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd\r\n"
                                   "%010ld SECOND abcdefghijklmnopqrstuvwxyz0123456789ABCD\r\n",
                                   index, index);
  return std::string(text, static_cast<std::size_t>(length));
}

// One record of 64 bytes for the writes larger than the file buffer.
inline std::string BigRecord(long index) {
  char text[80];
  const int length = std::snprintf(text, sizeof text, "%010ld %-51s\r\n", index, "BIG");
  return std::string(text, static_cast<std::size_t>(length));
}

}  // namespace floodwave::textio::testing
