// Writes composed straight into a channel's buffer (ComposeToChannel, the
// way every layout without text fields is written): the file holds them in
// order with the plain writes among them, a refused one is reported, and an
// interrupt in a stream of them leaves the file on a whole write. Each case
// runs in a child process of its own, since the channels are the process's.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "textio/layout.h"
#include "textio/open_new.h"
#include "textio/output_channel.h"
#include "textio/probe_process.h"
#include "textio/program_end.h"

namespace floodwave::textio {
namespace {

using testing::ReadFile;
using testing::TempDir;

// Two records, 50 bytes, for each write.
inline constexpr Layout<I<10>, Lit<" FIRST ">, F<12, 3>, Slash, I<10>, Lit<" SECOND">> kPair{};
constexpr std::size_t kPairSize = 50;

// The same bytes made independently: the values are halves, exact in
// binary and in three decimals.
std::string Pair(long index) {
  char text[80];
  const int length = std::snprintf(text, sizeof text, "%10ld FIRST %12.3f\r\n%10ld SECOND\r\n",
                                   index, static_cast<double>(index) * 0.5, index);
  return std::string(text, static_cast<std::size_t>(length));
}

std::string Pairs(long count) {
  std::string pairs;
  for (long i = 0; i < count; ++i) pairs += Pair(i);
  return pairs;
}

// Every seventh write goes the plain way, the others are composed.
void WritePair(long index) {
  if (index % 7 == 3) {
    WriteToChannel(5, Pair(index));
  } else {
    const auto number = static_cast<std::int32_t>(index);
    WriteLayout(5, kPair, number, static_cast<float>(index) * 0.5f, number);
  }
}

[[noreturn]] void WriteUnderSizeLimit(const std::string& name, long limit_bytes) {
  StartTextLayer();
  const auto limit_value = static_cast<rlim_t>(limit_bytes);
  const rlimit limit{limit_value, limit_value};
  setrlimit(RLIMIT_FSIZE, &limit);
  OpenNew(5, name, OnError::kReport);
  for (long i = 0; i < 5000; ++i) WritePair(i);
  StopProgram();
}

TEST(ComposeToChannel, WritesLandInOrderAcrossManyBufferFlushes) {
  TempDir dir;
  const std::string name = dir / "R.TXT";
  constexpr long kCount = 20000;  // 1 MB: about fifteen flushes of the buffer
  EXPECT_EXIT(
      {
        StartTextLayer();
        OpenNew(5, name, OnError::kReport);
        for (long i = 0; i < kCount; ++i) WritePair(i);
        StopProgram();
      },
      ::testing::ExitedWithCode(0), "");
  const std::string file = ReadFile(name);
  ASSERT_EQ(file.size(), kCount * kPairSize);
  EXPECT_TRUE(file == Pairs(kCount));
}

TEST(ComposeToChannel, ARefusedWriteIsReportedAndTheFileHoldsWholeWritesOnly) {
  TempDir dir;
  const std::string name = dir / "R.TXT";
  // The limit falls inside the second flush of the buffer.
  constexpr long kLimit = 100000;
  EXPECT_EXIT(
      WriteUnderSizeLimit(name, kLimit),
      ::testing::ExitedWithCode(38),
      "floodwave: File too large\r\nfloodwave: severe \\(38\\): error during write, unit 5, file " +
          name + "\r\n  in floodwave\r\n");
  // What the system took, up to its limit; no later write after the refusal.
  EXPECT_EQ(ReadFile(name), Pairs(5000).substr(0, kLimit));
}

TEST(ComposeToChannel, AnInterruptInAStreamOfWritesLeavesTheFileOnAWholeWrite) {
#if defined(FLOODWAVE_SANITIZED)
  const int rounds = 3;
#else
  const int rounds = 6;
#endif
  for (int round = 0; round < rounds; ++round) {
    SCOPED_TRACE(round);
    TempDir dir;
    const std::string name = dir / "R.TXT";
    const long interrupt_at = 1000 + 4321L * round;
    EXPECT_EXIT(
        {
          StartTextLayer();
          OpenNew(5, name, OnError::kReport);
          // The interrupt thread completes the channels while this one
          // goes on writing.
          for (long i = 0;; ++i) {
            if (i == interrupt_at) kill(getpid(), SIGINT);
            WritePair(i);
          }
        },
        ::testing::ExitedWithCode(0), "");
    const std::string file = ReadFile(name);
    ASSERT_GT(file.size(), 0u);
    ASSERT_EQ(file.size() % kPairSize, 0u) << "file of " << file.size() << " bytes";
    EXPECT_TRUE(file == Pairs(static_cast<long>(file.size() / kPairSize)));
  }
}

}  // namespace
}  // namespace floodwave::textio
