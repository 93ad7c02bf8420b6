#ifndef COMMON_SIMD_LEVEL_H
#define COMMON_SIMD_LEVEL_H

// Instruction-set tiers that kernels are built for. Shipped code targets baseline x86-64
// and picks a faster tier per call, so one binary runs on every x86-64 processor.
enum class SimdLevel { baseline = 0, avx2 = 1, avx512 = 2 };

// The best tier this processor and operating system support (AVX2 implies FMA-capable
// hardware, but kernels never use fused operations). Reads the processor each call.
SimdLevel detectSimdLevel();

#endif
