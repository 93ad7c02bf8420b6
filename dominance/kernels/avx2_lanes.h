#ifndef DOMINANCE_KERNELS_AVX2_LANES_H
#define DOMINANCE_KERNELS_AVX2_LANES_H

// Lane masks of the AVX2 passes: bit i of a mask stands for lane i of a four-lane vector.
// Only for files that include immintrin.h on x86.

#include "common/tier_target.h"

// A vector whose lanes are all ones where `bits` is set and zero elsewhere.
TIER_TARGET_AVX2 inline __m256d lanesToVector(unsigned bits) {
  const __m256i lanes = _mm256_set_epi64x(8, 4, 2, 1);
  const __m256i chosen = _mm256_set1_epi64x(static_cast<long long>(bits));
  return _mm256_castsi256_pd(_mm256_cmpeq_epi64(_mm256_and_si256(lanes, chosen), lanes));
}

#endif
