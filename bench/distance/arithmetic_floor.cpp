#include "bench/distance/arithmetic_floor.h"

#include "common/avx512_diagnostics.h"
#include "common/no_contraction.h"
#include "common/tier_target.h"

#if TIER_HAS_X86
#include <immintrin.h>
#endif

namespace {

// Makes `v` look changed to the compiler at no cost, so that it cannot hoist d = a - b or
// d * d out of the loop: the operands stay in their registers. Elsewhere the values are
// read back from memory instead, a load per operand and round.
template <typename T>
inline void opaqueCopy(T& v) {
  volatile T copy = v;
  v = copy;
}

}  // namespace

#if TIER_HAS_X86 && (defined(__GNUC__) || defined(__clang__))
#define FLOOR_OPAQUE(v) __asm__ volatile("" : "+x"(v))
#define FLOOR_OPAQUE_WIDE(v) __asm__ volatile("" : "+v"(v))
#else
#define FLOOR_OPAQUE(v) opaqueCopy(v)
#define FLOOR_OPAQUE_WIDE(v) opaqueCopy(v)
#endif

#if TIER_HAS_X86

namespace {

// The four operands of the i side against the two of the j side, as a register tile of
// the table would hold them, one sum per pair of operands.
inline void sseStep(__m128d& s, __m128d a, __m128d b) {
  const __m128d d = _mm_sub_pd(a, b);
  s = _mm_add_pd(s, _mm_mul_pd(d, d));
}

double floorBaseline(std::int64_t steps) {
  __m128d a0 = _mm_set1_pd(0.5), a1 = _mm_set1_pd(0.25), a2 = _mm_set1_pd(0.125);
  __m128d a3 = _mm_set1_pd(0.0625), b0 = _mm_set1_pd(0.375), b1 = _mm_set1_pd(0.1875);
  __m128d s0 = _mm_setzero_pd(), s1 = s0, s2 = s0, s3 = s0, s4 = s0, s5 = s0, s6 = s0, s7 = s0;
  for (std::int64_t n = 0; n < steps; ++n) {
    FLOOR_OPAQUE(a0);
    FLOOR_OPAQUE(a1);
    FLOOR_OPAQUE(a2);
    FLOOR_OPAQUE(a3);
    FLOOR_OPAQUE(b0);
    FLOOR_OPAQUE(b1);
    sseStep(s0, a0, b0);
    sseStep(s1, a0, b1);
    sseStep(s2, a1, b0);
    sseStep(s3, a1, b1);
    sseStep(s4, a2, b0);
    sseStep(s5, a2, b1);
    sseStep(s6, a3, b0);
    sseStep(s7, a3, b1);
  }
  const __m128d all = _mm_add_pd(_mm_add_pd(_mm_add_pd(s0, s1), _mm_add_pd(s2, s3)),
                                 _mm_add_pd(_mm_add_pd(s4, s5), _mm_add_pd(s6, s7)));
  return _mm_cvtsd_f64(_mm_add_pd(all, _mm_unpackhi_pd(all, all)));
}

TIER_TARGET_AVX2 inline void avx2Step(__m256d& s, __m256d a, __m256d b) {
  const __m256d d = _mm256_sub_pd(a, b);
  s = _mm256_add_pd(s, _mm256_mul_pd(d, d));
}

TIER_TARGET_AVX2 double floorAvx2(std::int64_t steps) {
  __m256d a0 = _mm256_set1_pd(0.5), a1 = _mm256_set1_pd(0.25), a2 = _mm256_set1_pd(0.125);
  __m256d a3 = _mm256_set1_pd(0.0625), b0 = _mm256_set1_pd(0.375), b1 = _mm256_set1_pd(0.1875);
  __m256d s0 = _mm256_setzero_pd(), s1 = s0, s2 = s0, s3 = s0, s4 = s0, s5 = s0, s6 = s0, s7 = s0;
  for (std::int64_t n = 0; n < steps; ++n) {
    FLOOR_OPAQUE(a0);
    FLOOR_OPAQUE(a1);
    FLOOR_OPAQUE(a2);
    FLOOR_OPAQUE(a3);
    FLOOR_OPAQUE(b0);
    FLOOR_OPAQUE(b1);
    avx2Step(s0, a0, b0);
    avx2Step(s1, a0, b1);
    avx2Step(s2, a1, b0);
    avx2Step(s3, a1, b1);
    avx2Step(s4, a2, b0);
    avx2Step(s5, a2, b1);
    avx2Step(s6, a3, b0);
    avx2Step(s7, a3, b1);
  }
  const __m256d all = _mm256_add_pd(_mm256_add_pd(_mm256_add_pd(s0, s1), _mm256_add_pd(s2, s3)),
                                    _mm256_add_pd(_mm256_add_pd(s4, s5), _mm256_add_pd(s6, s7)));
  const __m128d half = _mm_add_pd(_mm256_castpd256_pd128(all), _mm256_extractf128_pd(all, 1));
  return _mm_cvtsd_f64(_mm_add_pd(half, _mm_unpackhi_pd(half, half)));
}

TIER_TARGET_AVX512 inline void avx512Step(__m512d& s, __m512d a, __m512d b) {
  const __m512d d = _mm512_sub_pd(a, b);
  s = _mm512_add_pd(s, _mm512_mul_pd(d, d));
}

TIER_TARGET_AVX512 double floorAvx512(std::int64_t steps) {
  __m512d a0 = _mm512_set1_pd(0.5), a1 = _mm512_set1_pd(0.25), a2 = _mm512_set1_pd(0.125);
  __m512d a3 = _mm512_set1_pd(0.0625), b0 = _mm512_set1_pd(0.375), b1 = _mm512_set1_pd(0.1875);
  __m512d s0 = _mm512_setzero_pd(), s1 = s0, s2 = s0, s3 = s0, s4 = s0, s5 = s0, s6 = s0, s7 = s0;
  for (std::int64_t n = 0; n < steps; ++n) {
    FLOOR_OPAQUE_WIDE(a0);
    FLOOR_OPAQUE_WIDE(a1);
    FLOOR_OPAQUE_WIDE(a2);
    FLOOR_OPAQUE_WIDE(a3);
    FLOOR_OPAQUE_WIDE(b0);
    FLOOR_OPAQUE_WIDE(b1);
    avx512Step(s0, a0, b0);
    avx512Step(s1, a0, b1);
    avx512Step(s2, a1, b0);
    avx512Step(s3, a1, b1);
    avx512Step(s4, a2, b0);
    avx512Step(s5, a2, b1);
    avx512Step(s6, a3, b0);
    avx512Step(s7, a3, b1);
  }
  const __m512d all = _mm512_add_pd(_mm512_add_pd(_mm512_add_pd(s0, s1), _mm512_add_pd(s2, s3)),
                                    _mm512_add_pd(_mm512_add_pd(s4, s5), _mm512_add_pd(s6, s7)));
  return _mm512_reduce_add_pd(all);
}

}  // namespace

double runArithmeticFloor(Tier tier, std::int64_t steps) {
  switch (tier) {
    case Tier::avx2:
      return floorAvx2(steps);
    case Tier::avx512:
      return floorAvx512(steps);
    default:
      return floorBaseline(steps);
  }
}

int floorLanes(Tier tier) {
  return tier == Tier::avx512 ? 8 : tier == Tier::avx2 ? 4 : 2;
}

#else

namespace {

inline void plainStep(double& s, double a, double b) {
  const double d = a - b;
  s = s + d * d;
}

}  // namespace

// One lane: the portable path computes one pair at a time.
double runArithmeticFloor(Tier, std::int64_t steps) {
  double a0 = 0.5, a1 = 0.25, a2 = 0.125, a3 = 0.0625, b0 = 0.375, b1 = 0.1875;
  double s0 = 0, s1 = 0, s2 = 0, s3 = 0, s4 = 0, s5 = 0, s6 = 0, s7 = 0;
  for (std::int64_t n = 0; n < steps; ++n) {
    opaqueCopy(a0);
    opaqueCopy(a1);
    opaqueCopy(a2);
    opaqueCopy(a3);
    opaqueCopy(b0);
    opaqueCopy(b1);
    plainStep(s0, a0, b0);
    plainStep(s1, a0, b1);
    plainStep(s2, a1, b0);
    plainStep(s3, a1, b1);
    plainStep(s4, a2, b0);
    plainStep(s5, a2, b1);
    plainStep(s6, a3, b0);
    plainStep(s7, a3, b1);
  }
  return s0 + s1 + s2 + s3 + s4 + s5 + s6 + s7;
}

int floorLanes(Tier) {
  return 1;
}

#endif
