#ifndef DOMINANCE_KERNELS_LEAVES_COVERED_LANES_AVX2_H
#define DOMINANCE_KERNELS_LEAVES_COVERED_LANES_AVX2_H

// The AVX2 lane kernel that the front filter and the pair cover share: eight candidate rows
// against a group of listed rows. Include only where TIER_HAS_X86 holds.

#include <immintrin.h>

#include <cstdint>

#include "common/matrix_view.h"
#include "common/tier_target.h"
#include "dominance/dominance_rule.h"
#include "dominance/kernels/avx2_lanes.h"
#include "dominance/kernels/lane_bits.h"
#include "dominance/kernels/leaves/open_columns.h"
#include "dominance/sorts/row_order.h"

// Candidates are taken eight at a time, each column of them in two vectors. Up to
// kMaxHeldColumns columns stay in registers (more would spill vectors to the stack, which
// Windows does not align for such moves); with more columns, lanes that pass those are
// finished one by one, which is rare as few rows stay <= a random row for that long.
constexpr std::int32_t kCandidateLanes = 8;
constexpr std::int32_t kMaxHeldColumns = 5;

TIER_TARGET_AVX2 inline __m256d columnLanes(const double* values, const std::int32_t* rows) {
  return _mm256_setr_pd(values[rows[0]], values[rows[1]], values[rows[2]], values[rows[3]]);
}

// Lanes of the eight candidate `rows` that no row listed in group[0 .. size) is <= in every
// open column from position `from` on, kHeld of them held in registers.
template <std::int32_t kHeld>
TIER_TARGET_AVX2 inline unsigned uncoveredLanes(const MatrixView& m, const OpenColumns& open,
                                                const double* group, std::int32_t size,
                                                const std::int32_t* rows, std::int32_t from) {
  __m256d low[kHeld];
  __m256d high[kHeld];
  const double* column[kHeld];
  for (std::int32_t k = 0; k < kHeld; ++k) {
    column[k] = columnData(m, open.at(from + k));
    low[k] = columnLanes(column[k], rows);
    high[k] = columnLanes(column[k], rows + 4);
  }
  const bool wide = open.count - from > kHeld;
  __m256d liveLow = _mm256_castsi256_pd(_mm256_set1_epi64x(-1));
  __m256d liveHigh = liveLow;
  for (std::int32_t s = 0; s < size; ++s) {
    const std::int32_t member = rowOf(group[s]);
    // Lanes the member is <= in every held column; the live lanes are masked only at the
    // end, so that one member's compares need not wait for the previous member's result.
    __m256d v = _mm256_broadcast_sd(column[0] + member);
    __m256d coverLow = _mm256_cmp_pd(v, low[0], _CMP_LE_OQ);
    __m256d coverHigh = _mm256_cmp_pd(v, high[0], _CMP_LE_OQ);
    for (std::int32_t k = 1; k < kHeld; ++k) {
      v = _mm256_broadcast_sd(column[k] + member);
      coverLow = _mm256_and_pd(coverLow, _mm256_cmp_pd(v, low[k], _CMP_LE_OQ));
      coverHigh = _mm256_and_pd(coverHigh, _mm256_cmp_pd(v, high[k], _CMP_LE_OQ));
    }
    if (wide) {
      const auto lowBits =
          static_cast<unsigned>(_mm256_movemask_pd(_mm256_and_pd(coverLow, liveLow)));
      const auto highBits =
          static_cast<unsigned>(_mm256_movemask_pd(_mm256_and_pd(coverHigh, liveHigh)));
      unsigned covered = lowBits | highBits << 4;
      for (unsigned pending = covered; pending != 0; pending &= pending - 1) {
        const int lane = lowestLane(pending);
        if (!rowAtMostOn(m, open, member, rows[lane], from + kHeld)) covered &= ~(1u << lane);
      }
      coverLow = lanesToVector(covered & 0xFu);
      coverHigh = lanesToVector(covered >> 4);
    }
    liveLow = _mm256_andnot_pd(coverLow, liveLow);
    liveHigh = _mm256_andnot_pd(coverHigh, liveHigh);
    const __m256d live = _mm256_or_pd(liveLow, liveHigh);
    if (_mm256_testz_pd(live, live)) return 0;
  }
  return static_cast<unsigned>(_mm256_movemask_pd(liveLow)) |
         static_cast<unsigned>(_mm256_movemask_pd(liveHigh)) << 4;
}

#endif
