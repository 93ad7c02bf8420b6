#ifndef COMMON_SIMD_TARGET_H
#define COMMON_SIMD_TARGET_H

// Marks a function as compiled for a wider instruction set while the rest of the binary
// stays baseline x86-64. GCC and Clang need the attribute to accept the intrinsics;
// MSVC accepts them anyway. Only code reached after a processor check may carry it.
#if defined(__x86_64__) || defined(_M_X64) || defined(_M_AMD64)
#define SIMD_HAS_X86 1
#if defined(__GNUC__) || defined(__clang__)
#define SIMD_TARGET_AVX2 __attribute__((target("avx2")))
#define SIMD_TARGET_AVX512 __attribute__((target("avx512f,avx512dq,avx512bw,avx512vl")))
#else
#define SIMD_TARGET_AVX2
#define SIMD_TARGET_AVX512
#endif
#else
#define SIMD_HAS_X86 0
#endif

#endif
