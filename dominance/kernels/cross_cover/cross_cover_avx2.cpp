#include "common/no_contraction.h"
#include "common/tier_target.h"
#include "dominance/kernels/cross_cover/cross_cover.h"
#include "dominance/kernels/lane_bits.h"

#if TIER_HAS_X86
#include <immintrin.h>

#include "dominance/kernels/avx2_lanes.h"

TIER_BEGIN_AVX2

namespace {

// As the within-set pair cover (leaves/covered_lanes_avx2.h): eight queries at a time, each column
// of them in two vectors; up to five columns stay in registers (more would spill vectors to
// the stack, which Windows does not align for such moves), and lanes that pass those with
// more columns are finished one by one.
constexpr std::int32_t kBlock = 8;
constexpr std::int32_t kMaxHeld = 5;

__m256d columnLanes(const double* values, const std::int32_t* rows) {
  return _mm256_setr_pd(values[rows[0]], values[rows[1]], values[rows[2]], values[rows[3]]);
}

template <std::int32_t kHeld>
unsigned uncoveredLanes(CrossEntries pointSet, const double* points, std::int32_t size,
                        CrossEntries querySet, const std::int32_t* rows, const OpenColumns& open,
                        std::int32_t from) {
  const MatrixView& q = querySet.set;
  const double* pointColumn[kHeld];
  __m256d low[kHeld];
  __m256d high[kHeld];
  for (std::int32_t k = 0; k < kHeld; ++k) {
    const std::int32_t col = open.at(from + k);
    pointColumn[k] = columnData(pointSet.set, col);
    const double* values = columnData(q, col);
    low[k] = columnLanes(values, rows);
    high[k] = columnLanes(values, rows + 4);
  }
  const bool wide = open.count - from > kHeld;
  __m256d liveLow = _mm256_castsi256_pd(_mm256_set1_epi64x(-1));
  __m256d liveHigh = liveLow;
  for (std::int32_t s = 0; s < size; ++s) {
    const std::int32_t point = crossRow(points[s], pointSet.rowMask);
    // The live lanes are masked only at the end, so that one point's compares need not wait
    // for the previous point's result.
    __m256d v = _mm256_broadcast_sd(pointColumn[0] + point);
    __m256d coverLow = _mm256_cmp_pd(v, low[0], _CMP_LE_OQ);
    __m256d coverHigh = _mm256_cmp_pd(v, high[0], _CMP_LE_OQ);
    for (std::int32_t k = 1; k < kHeld; ++k) {
      v = _mm256_broadcast_sd(pointColumn[k] + point);
      coverLow = _mm256_and_pd(coverLow, _mm256_cmp_pd(v, low[k], _CMP_LE_OQ));
      coverHigh = _mm256_and_pd(coverHigh, _mm256_cmp_pd(v, high[k], _CMP_LE_OQ));
    }
    if (wide) {
      const auto lowBits =
          static_cast<unsigned>(_mm256_movemask_pd(_mm256_and_pd(coverLow, liveLow)));
      const auto highBits =
          static_cast<unsigned>(_mm256_movemask_pd(_mm256_and_pd(coverHigh, liveHigh)));
      unsigned covered = lowBits | highBits << 4;
      for (unsigned left = covered; left != 0; left &= left - 1) {
        const int lane = lowestLane(left);
        if (!rowAtMostAcrossOn(pointSet.set, point, q, rows[lane], open, from + kHeld)) {
          covered &= ~(1u << lane);
        }
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
void coverPairs(CrossEntries pointSet, const double* points, std::int32_t pointCount,
                CrossEntries querySet, double* queries, std::int32_t queryCount,
                const OpenColumns& open, std::int32_t from, double mark) {
  // A last, short block repeats its last query in the lanes it lacks: the covers' groups are
  // often a few queries against many points, which one by one would take the scalar loop.
  for (std::int32_t b = 0; b < queryCount; b += kBlock) {
    const std::int32_t count = queryCount - b < kBlock ? queryCount - b : kBlock;
    std::int32_t rows[kBlock];
    for (std::int32_t lane = 0; lane < kBlock; ++lane) {
      rows[lane] = crossRow(queries[b + (lane < count ? lane : count - 1)], querySet.rowMask);
    }
    const unsigned standing =
        uncoveredLanes<kHeld>(pointSet, points, pointCount, querySet, rows, open, from);
    for (std::int32_t lane = 0; lane < count; ++lane) {
      if ((standing >> lane & 1u) == 0) queries[b + lane] += mark;
    }
  }
}

}  // namespace

void coverAcrossPairsAvx2(CrossEntries pointSet, const double* points, std::int32_t pointCount,
                          CrossEntries querySet, double* queries, std::int32_t queryCount,
                          const OpenColumns& open, std::int32_t from, double mark) {
  switch (open.count - from) {
    case 1:
      return coverPairs<1>(pointSet, points, pointCount, querySet, queries, queryCount, open, from,
                           mark);
    case 2:
      return coverPairs<2>(pointSet, points, pointCount, querySet, queries, queryCount, open, from,
                           mark);
    case 3:
      return coverPairs<3>(pointSet, points, pointCount, querySet, queries, queryCount, open, from,
                           mark);
    case 4:
      return coverPairs<4>(pointSet, points, pointCount, querySet, queries, queryCount, open, from,
                           mark);
    default:
      return coverPairs<kMaxHeld>(pointSet, points, pointCount, querySet, queries, queryCount, open,
                                  from, mark);
  }
}
TIER_END

#endif
