// Every positive float through the two powers the computation takes (R^2/3
// in Manning's relation, R^4/3 in the friction term). The fast path is
// proven right whenever it accepts; what the proof leaves open is whether
// the accurate path always settles the rare cases the fast path declines.
// Walking every float settles that question for these two exponents: each
// declined case must be exact or decided by the accurate path, and must
// agree with MPFR.

#include <bit>
#include <cstdint>

#include <gtest/gtest.h>

#include "hydraulics/power.h"
#include "hydraulics/power_fast.h"
#include "hydraulics/power_mpfr_reference.h"
#include "hydraulics/power_slow.h"

namespace floodwave::power_test {
namespace {

#ifdef FLOODWAVE_SANITIZED
constexpr std::uint32_t kStride = 4099;  // a spread sample: the walk is too slow there
#else
constexpr std::uint32_t kStride = 1;
#endif

constexpr std::uint32_t kLargestFinite = 0x7F7FFFFFu;

// The operand bits the fast and accurate paths expect: subnormal bases are
// first made normal, as PowF does.
std::uint32_t NormalizedBits(float ax) {
  const std::uint32_t ix = std::bit_cast<std::uint32_t>(ax);
  if (ix >= 0x00800000u) return ix;
  return std::bit_cast<std::uint32_t>(ax * 0x1p23f) - (23u << 23);
}

struct Walk {
  std::uint64_t declined = 0;
  std::uint64_t exact = 0;
  std::uint64_t undecided = 0;
  std::uint64_t wrong = 0;
};

Walk WalkEveryFloat(float y) {
  Walk walk;
  for (std::uint64_t bits = 1; bits <= kLargestFinite; bits += kStride) {
    const float ax = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
    const std::uint32_t ix = NormalizedBits(ax);
    float result;
    if (power_detail::FastPowAny(ix, y, result)) continue;
    ++walk.declined;
    if (power_detail::ExactPow(ax, y, result)) {
      ++walk.exact;
    } else if (!power_detail::AccuratePow(ix, y, result)) {
      ++walk.undecided;
      ADD_FAILURE() << "undecided: " << std::hexfloat << ax << " ^ " << y;
    }
    if (!SameFloat(PowF(ax, y), ReferencePow(ax, y))) {
      ++walk.wrong;
      ADD_FAILURE() << "differs from MPFR: " << std::hexfloat << ax << " ^ " << y;
    }
  }
  return walk;
}

TEST(PowFEveryFloat, TwoThirdsAndFourThirdsAreSettledEverywhere) {
  for (const float y : {kTwoThirds, kFourThirds}) {
    const Walk walk = WalkEveryFloat(y);
    RecordProperty(y == kTwoThirds ? "declined_two_thirds" : "declined_four_thirds",
                   static_cast<int>(walk.declined));
    EXPECT_EQ(walk.undecided, 0u);
    EXPECT_EQ(walk.wrong, 0u);
  }
}

// A spread sample of the public function against MPFR over every
// magnitude, fast path included.
TEST(PowFEveryFloat, ASpreadSampleAgreesWithMpfr) {
  for (const float y : {kTwoThirds, kFourThirds}) {
    for (std::uint64_t bits = 1; bits <= kLargestFinite; bits += 4093 * kScale) {
      const float x = std::bit_cast<float>(static_cast<std::uint32_t>(bits));
      ASSERT_TRUE(SameFloat(PowF(x, y), ReferencePow(x, y)))
          << std::hexfloat << x << " ^ " << y;
    }
  }
}

}  // namespace
}  // namespace floodwave::power_test
