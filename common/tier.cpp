#include "tier.h"

#if defined(_MSC_VER) && (defined(_M_X64) || defined(_M_AMD64))
#include <immintrin.h>
#include <intrin.h>

Tier detectTier() {
  int regs[4];
  __cpuid(regs, 0);
  if (regs[0] < 7) return Tier::baseline;
  __cpuid(regs, 1);
  const bool osSavesYmm = (regs[2] & (1 << 27)) && (regs[2] & (1 << 28));
  if (!osSavesYmm) return Tier::baseline;
  const unsigned long long xcr0 = _xgetbv(0);
  __cpuidex(regs, 7, 0);
  const bool avx2 = (xcr0 & 0x6) == 0x6 && (regs[1] & (1 << 5));
  const bool avx512 = avx2 && (xcr0 & 0xE6) == 0xE6 && (regs[1] & (1 << 16)) &&  // F
                      (regs[1] & (1 << 17)) && (regs[1] & (1 << 30)) &&          // DQ, BW
                      (regs[1] & (1 << 31));                                     // VL
  if (avx512) return Tier::avx512;
  return avx2 ? Tier::avx2 : Tier::baseline;
}

#elif (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))

// libgcc's probe also checks that the operating system saves the wider registers.
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
  return Tier::baseline;
}

#endif
