#include "tier.h"

#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#define TIER_CPUID_GNU 1
#include <cpuid.h>
#elif defined(_MSC_VER) && (defined(_M_X64) || defined(_M_AMD64))
#define TIER_CPUID_MSVC 1
#include <immintrin.h>
#include <intrin.h>
#endif

Tier tierFromCpuid(std::uint32_t leaf1Ecx, std::uint32_t leaf7Ebx, std::uint64_t xcr0) {
  const auto has = [](std::uint64_t value, std::uint64_t bits) { return (value & bits) == bits; };
  // OSXSAVE and AVX: the operating system saves some extended state, and XCR0 says which.
  if (!has(leaf1Ecx, (1u << 27) | (1u << 28))) return Tier::baseline;
  const bool osSavesYmm = has(xcr0, 0x6);
  const bool osSavesZmm = has(xcr0, 0xE6);
  const bool avx2 = osSavesYmm && has(leaf7Ebx, 1u << 5);
  // F, DQ, BW and VL.
  const std::uint32_t avx512Bits = (1u << 16) | (1u << 17) | (1u << 30) | (1u << 31);
  if (avx2 && osSavesZmm && has(leaf7Ebx, avx512Bits)) return Tier::avx512;
  return avx2 ? Tier::avx2 : Tier::baseline;
}

#if defined(TIER_CPUID_GNU) || defined(TIER_CPUID_MSVC)

namespace {

struct Registers {
  std::uint32_t eax, ebx, ecx, edx;
};

Registers cpuid(std::uint32_t leaf) {
#if defined(TIER_CPUID_GNU)
  unsigned a = 0, b = 0, c = 0, d = 0;
  __cpuid_count(leaf, 0, a, b, c, d);
  return {a, b, c, d};
#else
  int r[4];
  __cpuidex(r, static_cast<int>(leaf), 0);
  return {static_cast<std::uint32_t>(r[0]), static_cast<std::uint32_t>(r[1]),
          static_cast<std::uint32_t>(r[2]), static_cast<std::uint32_t>(r[3])};
#endif
}

// Only valid when cpuid reports OSXSAVE; xgetbv faults otherwise.
std::uint64_t readXcr0() {
#if defined(TIER_CPUID_GNU)
  // Written out rather than _xgetbv, which GCC and Clang accept only with -mxsave.
  std::uint32_t low = 0, high = 0;
  __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0u));
  return (static_cast<std::uint64_t>(high) << 32) | low;
#else
  return _xgetbv(0);
#endif
}

}  // namespace

Tier detectTierFromCpuid() {
  const std::uint32_t maxLeaf = cpuid(0).eax;
  const std::uint32_t leaf1Ecx = cpuid(1).ecx;
  const bool osxsave = (leaf1Ecx & (1u << 27)) != 0;
  const std::uint32_t leaf7Ebx = maxLeaf >= 7 ? cpuid(7).ebx : 0;
  return tierFromCpuid(leaf1Ecx, leaf7Ebx, osxsave ? readXcr0() : 0);
}

#else

Tier detectTierFromCpuid() {
  return Tier::baseline;
}

#endif

#if defined(TIER_BASELINE_ONLY)

Tier detectTier() {
  return Tier::baseline;
}

#elif defined(TIER_CPUID_GNU) && !defined(__APPLE__) && !defined(_MSC_VER)

// libgcc's probe, which also checks that the operating system saves the wider registers.
// Apple's runtime and MSVC's lack it; they read the processor directly below.
Tier detectTier() {
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
      __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl")) {
    return Tier::avx512;
  }
  if (__builtin_cpu_supports("avx2")) return Tier::avx2;
  return Tier::baseline;
}

#else

Tier detectTier() {
  return detectTierFromCpuid();
}

#endif
