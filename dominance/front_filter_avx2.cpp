#include "common/no_contraction.h"
#include "common/tier_target.h"
#include "dominance/dominance_rule.h"
#include "dominance/front_filter.h"
#include "dominance/lane_bits.h"
#include "dominance/row_order.h"

#if TIER_HAS_X86
#include <immintrin.h>

#include "dominance/avx2_lanes.h"

namespace {

// Candidates are taken eight at a time, each column of them in two vectors. Columns 1 to
// kMaxHeld stay in registers; with more columns, lanes that pass those are finished one by
// one, which is rare as few rows stay <= a random row for that long.
constexpr std::int32_t kBlock = 8;
constexpr std::int32_t kMaxHeld = 5;

TIER_TARGET_AVX2 inline __m256d columnOf(const MatrixView& m, const std::int32_t* rows,
                                         std::int32_t col) {
  const double* values = columnData(m, col);
  return _mm256_setr_pd(values[rows[0]], values[rows[1]], values[rows[2]], values[rows[3]]);
}

// Lanes of the eight candidates `rows` that no row of order[0 .. front) is <= in every
// column from 1 on.
template <std::int32_t kHeld>
TIER_TARGET_AVX2 unsigned uncoveredLanes(const MatrixView& m, const double* order,
                                         std::int32_t front, const std::int32_t* rows) {
  __m256d low[kHeld];
  __m256d high[kHeld];
  for (std::int32_t k = 0; k < kHeld; ++k) {
    low[k] = columnOf(m, rows, k + 1);
    high[k] = columnOf(m, rows + 4, k + 1);
  }
  const bool wide = m.cols - 1 > kHeld;
  const std::ptrdiff_t stride = m.rows;
  __m256d liveLow = _mm256_castsi256_pd(_mm256_set1_epi64x(-1));
  __m256d liveHigh = liveLow;
  for (std::int32_t s = 0; s < front; ++s) {
    const std::int32_t member = rowOf(order[s]);
    const double* values = m.data + member;
    // Lanes the member is <= in every held column; the live lanes are masked only at the
    // end, so that one member's compares need not wait for the previous member's result.
    __m256d v = _mm256_broadcast_sd(values + stride);
    __m256d coverLow = _mm256_cmp_pd(v, low[0], _CMP_LE_OQ);
    __m256d coverHigh = _mm256_cmp_pd(v, high[0], _CMP_LE_OQ);
    for (std::int32_t k = 1; k < kHeld; ++k) {
      v = _mm256_broadcast_sd(values + (k + 1) * stride);
      coverLow = _mm256_and_pd(coverLow, _mm256_cmp_pd(v, low[k], _CMP_LE_OQ));
      coverHigh = _mm256_and_pd(coverHigh, _mm256_cmp_pd(v, high[k], _CMP_LE_OQ));
    }
    if (wide) {
      const auto lowBits =
          static_cast<unsigned>(_mm256_movemask_pd(_mm256_and_pd(coverLow, liveLow)));
      const auto highBits =
          static_cast<unsigned>(_mm256_movemask_pd(_mm256_and_pd(coverHigh, liveHigh)));
      unsigned covered = lowBits | highBits << 4;
      for (unsigned open = covered; open != 0; open &= open - 1) {
        const int lane = lowestLane(open);
        if (!rowAtMostFrom(m, member, rows[lane], kHeld + 1)) covered &= ~(1u << lane);
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

template <std::int32_t kHeld>
TIER_TARGET_AVX2 void filterFront(const MatrixView& m, double* order, std::int32_t count) {
  std::int32_t front = 0;
  std::int32_t p = 0;
  for (; count - p >= kBlock; p += kBlock) {
    std::int32_t rows[kBlock];
    for (std::int32_t lane = 0; lane < kBlock; ++lane) rows[lane] = rowOf(order[p + lane]);
    unsigned standing = uncoveredLanes<kHeld>(m, order, front, rows);
    // The candidates are in sorted order among themselves too.
    for (std::int32_t lane = 1; lane < kBlock; ++lane) {
      for (std::int32_t earlier = 0; earlier < lane && (standing >> lane & 1u) != 0; ++earlier) {
        if (rowAtMostFrom(m, rows[earlier], rows[lane], 1)) standing &= ~(1u << lane);
      }
    }
    for (std::int32_t lane = 0; lane < kBlock; ++lane) {
      if ((standing >> lane & 1u) != 0) {
        order[p + lane] = order[front];
        order[front++] = rows[lane];
      } else {
        order[p + lane] = kNoRow;
      }
    }
  }
  // The last few candidates one at a time.
  for (; p < count; ++p) {
    const std::int32_t row = rowOf(order[p]);
    bool falls = false;
    for (std::int32_t s = 0; s < front && !falls; ++s) {
      falls = rowAtMostFrom(m, rowOf(order[s]), row, 1);
    }
    if (falls) {
      order[p] = kNoRow;
    } else {
      order[p] = order[front];
      order[front++] = row;
    }
  }
}

}  // namespace

void filterFrontAvx2(const MatrixView& m, double* order, std::int32_t count) {
  // Two and three columns take the sweeps, except when a test calls the filter directly.
  switch (m.cols) {
    case 1:
    case 2:
    case 3:
      return filterFrontBaseline(m, order, count);
    case 4:
      return filterFront<3>(m, order, count);
    case 5:
      return filterFront<4>(m, order, count);
    default:
      return filterFront<kMaxHeld>(m, order, count);
  }
}

#endif
