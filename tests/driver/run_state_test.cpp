#include "driver/run_state.h"

#include <bit>
#include <cstdint>

#include <gtest/gtest.h>

namespace floodwave {
namespace {

TEST(RunState, ConstantsAreTheBuiltInOnes) {
  EXPECT_EQ(MAXDIV, 100);
  EXPECT_EQ(kNodeCapacity, 101);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(g), 0x411CF5C3u);  // 9.81000041961669921875
  EXPECT_EQ(static_cast<double>(g), 9.81000041961669921875);
}

TEST(RunState, LevelIndexVariesFastest) {
  FlowState s;
  s.h(1, 1) = 1;
  s.h(2, 1) = 2;
  s.h(1, 2) = 3;
  s.h(2, kNodeCapacity) = 4;
  EXPECT_EQ(s.H[0], 1);
  EXPECT_EQ(s.H[1], 2);
  EXPECT_EQ(s.H[2], 3);
  EXPECT_EQ(s.H[2 * kNodeCapacity - 1], 4);
}

}  // namespace
}  // namespace floodwave
