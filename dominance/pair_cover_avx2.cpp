#include "common/no_contraction.h"
#include "common/tier_target.h"
#include "dominance/dominance_rule.h"
#include "dominance/lane_bits.h"
#include "dominance/pair_cover.h"
#include "dominance/row_order.h"

#if TIER_HAS_X86
#include <immintrin.h>

#include "dominance/avx2_lanes.h"

namespace {

// Lower rows are taken eight at a time, each column of them in two vectors; up to kMaxHeld
// columns stay in registers (more would spill them to the stack, which Windows does not
// align for such moves), and lanes that pass those finish the rest one by one.
constexpr std::int32_t kBlock = 8;
constexpr std::int32_t kMaxHeld = 5;

TIER_TARGET_AVX2 inline __m256d columnOf(const double* values, const std::int32_t* rows) {
  return _mm256_setr_pd(values[rows[0]], values[rows[1]], values[rows[2]], values[rows[3]]);
}

// Lanes of the eight lower `rows` that no upper row is <= in every column from `col` on.
template <std::int32_t kHeld>
TIER_TARGET_AVX2 unsigned uncoveredLanes(const MatrixView& m, const double* upper,
                                         std::int32_t upperSize, const std::int32_t* rows,
                                         std::int32_t col) {
  __m256d low[kHeld];
  __m256d high[kHeld];
  for (std::int32_t k = 0; k < kHeld; ++k) {
    const double* values = columnData(m, col + k);
    low[k] = columnOf(values, rows);
    high[k] = columnOf(values, rows + 4);
  }
  const bool wide = m.cols - col > kHeld;
  const std::ptrdiff_t stride = m.rows;
  const double* const first = columnData(m, col);
  __m256d liveLow = _mm256_castsi256_pd(_mm256_set1_epi64x(-1));
  __m256d liveHigh = liveLow;
  for (std::int32_t t = 0; t < upperSize; ++t) {
    const std::int32_t member = rowOf(upper[t]);
    const double* values = first + member;
    __m256d v = _mm256_broadcast_sd(values);
    __m256d coverLow = _mm256_cmp_pd(v, low[0], _CMP_LE_OQ);
    __m256d coverHigh = _mm256_cmp_pd(v, high[0], _CMP_LE_OQ);
    for (std::int32_t k = 1; k < kHeld; ++k) {
      v = _mm256_broadcast_sd(values + k * stride);
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
        if (!rowAtMostFrom(m, member, rows[lane], col + kHeld)) covered &= ~(1u << lane);
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
TIER_TARGET_AVX2 void coverPairs(const MatrixView& m, const double* upper, std::int32_t upperSize,
                                 double* lower, std::int32_t lowerSize, std::int32_t col) {
  std::int32_t b = 0;
  for (; lowerSize - b >= kBlock; b += kBlock) {
    std::int32_t rows[kBlock];
    for (std::int32_t lane = 0; lane < kBlock; ++lane) rows[lane] = rowOf(lower[b + lane]);
    const unsigned standing = uncoveredLanes<kHeld>(m, upper, upperSize, rows, col);
    for (std::int32_t lane = 0; lane < kBlock; ++lane) {
      if ((standing >> lane & 1u) == 0) lower[b + lane] = kNoRow;
    }
  }
  coverPairsBaseline(m, upper, upperSize, lower + b, lowerSize - b, col);
}

}  // namespace

void coverPairsAvx2(const MatrixView& m, const double* upper, std::int32_t upperSize, double* lower,
                    std::int32_t lowerSize, std::int32_t col) {
  switch (m.cols - col) {
    case 1:
      return coverPairs<1>(m, upper, upperSize, lower, lowerSize, col);
    case 2:
      return coverPairs<2>(m, upper, upperSize, lower, lowerSize, col);
    case 3:
      return coverPairs<3>(m, upper, upperSize, lower, lowerSize, col);
    case 4:
      return coverPairs<4>(m, upper, upperSize, lower, lowerSize, col);
    default:
      return coverPairs<kMaxHeld>(m, upper, upperSize, lower, lowerSize, col);
  }
}

#endif
