#include "common/tier.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr std::uint32_t kOsxsaveAndAvx = (1u << 27) | (1u << 28);
constexpr std::uint32_t kAvx2 = 1u << 5;
constexpr std::uint32_t kAvx512 = (1u << 16) | (1u << 17) | (1u << 30) | (1u << 31);
constexpr std::uint64_t kYmmState = 0x6;
constexpr std::uint64_t kZmmState = 0xE6;

struct Registers {
  const char* what;
  std::uint32_t leaf1Ecx, leaf7Ebx;
  std::uint64_t xcr0;
  Tier expected;
};

// A tier needs its instructions and an operating system that saves their registers.
TEST(TierFromCpuid, NeedsTheInstructionsAndTheOperatingSystemsSupport) {
  const Registers cases[] = {
      {"everything", kOsxsaveAndAvx, kAvx2 | kAvx512, kZmmState, Tier::avx512},
      {"no zmm state saved", kOsxsaveAndAvx, kAvx2 | kAvx512, kYmmState, Tier::avx2},
      {"AVX-512 without BW", kOsxsaveAndAvx, kAvx2 | (kAvx512 & ~(1u << 30)), kZmmState,
       Tier::avx2},
      {"no ymm state saved", kOsxsaveAndAvx, kAvx2 | kAvx512, 0x3, Tier::baseline},
      {"no OSXSAVE", 1u << 28, kAvx2 | kAvx512, 0, Tier::baseline},
      {"no AVX2", kOsxsaveAndAvx, kAvx512, kZmmState, Tier::baseline},
      {"no leaf 7", kOsxsaveAndAvx, 0, kZmmState, Tier::baseline},
  };
  for (const Registers& c : cases) {
    EXPECT_EQ(tierFromCpuid(c.leaf1Ecx, c.leaf7Ebx, c.xcr0), c.expected) << c.what;
  }
}

// Where the compiler's runtime has a processor probe, reading cpuid directly (as MSVC and
// Apple builds do) must give the same tier.
TEST(DetectTier, ReadingCpuidAgreesWithTheRuntimesProbe) {
  EXPECT_EQ(tierName(detectTierFromCpuid()), tierName(detectTier()));
}

}  // namespace
