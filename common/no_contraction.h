#ifndef COMMON_NO_CONTRACTION_H
#define COMMON_NO_CONTRACTION_H

// Forbids contracting a multiply and an add into one fused operation in the rest of the
// translation unit, whatever the build flags: the fused result is rounded once instead of
// twice, so results would depend on the compiler. Every kernel source includes it ahead of
// its own code.
// MSVC before Visual Studio 2022 contracts even under /fp:precise. Clang-based compilers
// (clang-cl and Intel's oneAPI compilers define _MSC_VER too) take their own form. GCC has
// no pragma for it and relies on -ffp-contract=off, which every build route passes.
#if defined(__clang__)
#pragma clang fp contract(off)
#elif defined(_MSC_VER) || defined(__INTEL_COMPILER)
#pragma fp_contract(off)
#endif

#endif
