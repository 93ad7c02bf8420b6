#ifndef COMMON_AVX512_DIAGNOSTICS_H
#define COMMON_AVX512_DIAGNOSTICS_H

// Included before immintrin.h by the AVX-512 kernels: GCC 12 takes the undefined
// pass-through operand inside the AVX-512 intrinsics for a read of an uninitialised variable.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#endif
