#ifndef COMMON_TIER_H
#define COMMON_TIER_H

#include <cstdint>

// Instruction-set tiers that kernels are built for. Shipped code targets baseline x86-64
// and picks a faster tier per call, so one binary runs on every x86-64 processor. On other
// processors only `baseline` exists, and it means the portable path.
enum class Tier { baseline = 0, avx2 = 1, avx512 = 2 };

// Every tier, lowest first: dispatch tables, tests and benches iterate this list.
constexpr Tier kTiers[] = {Tier::baseline, Tier::avx2, Tier::avx512};
constexpr int kTierCount = static_cast<int>(sizeof kTiers / sizeof kTiers[0]);

// The name tests and benches print for a tier.
constexpr const char* tierName(Tier tier) {
  constexpr const char* kNames[] = {"baseline", "avx2", "avx512"};
  return kNames[static_cast<int>(tier)];
}

// The best tier this processor and operating system support (AVX2 implies FMA-capable
// hardware, but kernels never use fused operations). Reads the processor each call.
// Built with TIER_BASELINE_ONLY, it always answers baseline: for toolchains that cannot
// build the wider tiers safely.
Tier detectTier();

// The same answer read from the processor with cpuid and xgetbv, where the compiler's
// runtime has no probe (MSVC, Apple). Baseline on other processors.
Tier detectTierFromCpuid();

// The tier that cpuid leaf 1 (ECX), leaf 7 subleaf 0 (EBX, 0 where the leaf is missing) and
// XCR0 (0 where OSXSAVE is clear) allow: a tier needs both the instructions and an operating
// system that saves their registers.
Tier tierFromCpuid(std::uint32_t leaf1Ecx, std::uint32_t leaf7Ebx, std::uint64_t xcr0);

// Whether code built for `tier` may run here.
inline bool tierRunsHere(Tier tier) {
  return static_cast<int>(tier) <= static_cast<int>(detectTier());
}

#endif
