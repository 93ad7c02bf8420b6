#ifndef COMMON_TIER_TARGET_H
#define COMMON_TIER_TARGET_H

// Compiles code for a wider instruction set while the rest of the binary stays baseline
// x86-64. GCC and Clang need the target to accept the intrinsics; MSVC accepts them anyway.
// Only code reached after a processor check (detectTier) may be built this way.
//
// TIER_TARGET_* marks one function. TIER_BEGIN_* ... TIER_END marks every function defined
// in between, so that tier-independent driver code, included inside the region, is
// compiled once per tier. Open a region only after every shared header is included, and
// give what it defines internal linkage: otherwise the linker may pick a wide copy of an
// inline function for baseline code.
#if defined(__x86_64__) || defined(_M_X64) || defined(_M_AMD64)
#define TIER_HAS_X86 1
#else
#define TIER_HAS_X86 0
#endif

#define TIER_ISA_AVX2 "avx2"
#define TIER_ISA_AVX512 "avx512f,avx512dq,avx512bw,avx512vl"

#if TIER_HAS_X86 && defined(__clang__)
#define TIER_TARGET_AVX2 __attribute__((target(TIER_ISA_AVX2)))
#define TIER_TARGET_AVX512 __attribute__((target(TIER_ISA_AVX512)))
#define TIER_BEGIN_AVX2 \
  _Pragma("clang attribute push(__attribute__((target(\"avx2\"))), apply_to = function)")
// clang-format off
#define TIER_BEGIN_AVX512 _Pragma("clang attribute push(__attribute__((target(\"avx512f,avx512dq,avx512bw,avx512vl\"))), apply_to = function)")
// clang-format on
#define TIER_END _Pragma("clang attribute pop")
#elif TIER_HAS_X86 && defined(__GNUC__)
#define TIER_TARGET_AVX2 __attribute__((target(TIER_ISA_AVX2)))
#define TIER_TARGET_AVX512 __attribute__((target(TIER_ISA_AVX512)))
#define TIER_BEGIN_AVX2 _Pragma("GCC push_options") _Pragma("GCC target(\"avx2\")")
#define TIER_BEGIN_AVX512 \
  _Pragma("GCC push_options") _Pragma("GCC target(\"avx512f,avx512dq,avx512bw,avx512vl\")")
#define TIER_END _Pragma("GCC pop_options")
#else
#define TIER_TARGET_AVX2
#define TIER_TARGET_AVX512
#define TIER_BEGIN_AVX2
#define TIER_BEGIN_AVX512
#define TIER_END
#endif

// The baseline tier needs no target.
#define TIER_BEGIN_BASELINE
#endif
