#include "bench/distance/arithmetic_floor.h"

#include "common/avx512_diagnostics.h"
#include "common/no_contraction.h"
#include "common/tier_target.h"

#if TIER_HAS_X86
#include <immintrin.h>
#endif

namespace {

// Where no empty assembly statement can pin a register, the value goes through memory: a
// load per operand and round.
template <typename T>
inline void opaqueCopy(T& v) {
  volatile T copy = v;
  v = copy;
}

}  // namespace

#if TIER_HAS_X86

#if defined(__GNUC__) || defined(__clang__)
#define FLOOR_OPAQUE(v, constraint) __asm__ volatile("" : constraint(v))
#else
#define FLOOR_OPAQUE(v, constraint) opaqueCopy(v)
#endif

namespace {

namespace sse {
using Lanes = __m128d;
inline Lanes splat(double v) {
  return _mm_set1_pd(v);
}
inline Lanes sub(Lanes a, Lanes b) {
  return _mm_sub_pd(a, b);
}
inline Lanes mul(Lanes a, Lanes b) {
  return _mm_mul_pd(a, b);
}
inline Lanes add(Lanes a, Lanes b) {
  return _mm_add_pd(a, b);
}
inline void opaque(Lanes& v) {
  FLOOR_OPAQUE(v, "+x");
}
inline double sumLanes(Lanes v) {
  return _mm_cvtsd_f64(_mm_add_pd(v, _mm_unpackhi_pd(v, v)));
}
#include "bench/distance/arithmetic_floor_loop.h"
}  // namespace sse

TIER_BEGIN_AVX2
namespace avx2 {
using Lanes = __m256d;
inline Lanes splat(double v) {
  return _mm256_set1_pd(v);
}
inline Lanes sub(Lanes a, Lanes b) {
  return _mm256_sub_pd(a, b);
}
inline Lanes mul(Lanes a, Lanes b) {
  return _mm256_mul_pd(a, b);
}
inline Lanes add(Lanes a, Lanes b) {
  return _mm256_add_pd(a, b);
}
inline void opaque(Lanes& v) {
  FLOOR_OPAQUE(v, "+x");
}
inline double sumLanes(Lanes v) {
  return sse::sumLanes(_mm_add_pd(_mm256_castpd256_pd128(v), _mm256_extractf128_pd(v, 1)));
}
#include "bench/distance/arithmetic_floor_loop.h"
}  // namespace avx2
TIER_END

TIER_BEGIN_AVX512
namespace avx512 {
using Lanes = __m512d;
inline Lanes splat(double v) {
  return _mm512_set1_pd(v);
}
inline Lanes sub(Lanes a, Lanes b) {
  return _mm512_sub_pd(a, b);
}
inline Lanes mul(Lanes a, Lanes b) {
  return _mm512_mul_pd(a, b);
}
inline Lanes add(Lanes a, Lanes b) {
  return _mm512_add_pd(a, b);
}
// "v": any of the 32 vector registers, as only AVX-512 has.
inline void opaque(Lanes& v) {
  FLOOR_OPAQUE(v, "+v");
}
inline double sumLanes(Lanes v) {
  return _mm512_reduce_add_pd(v);
}
#include "bench/distance/arithmetic_floor_loop.h"
}  // namespace avx512
TIER_END

}  // namespace

double runArithmeticFloor(Tier tier, std::int64_t steps) {
  switch (tier) {
    case Tier::avx2:
      return avx2::runFloor(steps);
    case Tier::avx512:
      return avx512::runFloor(steps);
    default:
      return sse::runFloor(steps);
  }
}

int floorLanes(Tier tier) {
  return tier == Tier::avx512 ? 8 : tier == Tier::avx2 ? 4 : 2;
}

#else

namespace {

namespace plain {
using Lanes = double;
inline Lanes splat(double v) {
  return v;
}
inline Lanes sub(Lanes a, Lanes b) {
  return a - b;
}
inline Lanes mul(Lanes a, Lanes b) {
  return a * b;
}
inline Lanes add(Lanes a, Lanes b) {
  return a + b;
}
inline void opaque(Lanes& v) {
  opaqueCopy(v);
}
inline double sumLanes(Lanes v) {
  return v;
}
#include "bench/distance/arithmetic_floor_loop.h"
}  // namespace plain

}  // namespace

// One lane: the portable path computes one pair at a time.
double runArithmeticFloor(Tier, std::int64_t steps) {
  return plain::runFloor(steps);
}

int floorLanes(Tier) {
  return 1;
}

#endif
