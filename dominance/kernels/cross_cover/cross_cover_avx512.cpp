#include "common/avx512_diagnostics.h"
#include "common/no_contraction.h"
#include "common/tier_target.h"
#include "dominance/kernels/cross_cover/cross_cover.h"
#include "dominance/kernels/lane_bits.h"

#if TIER_HAS_X86
#include <immintrin.h>

TIER_BEGIN_AVX512

namespace {

// As the within-set pair cover (leaves/pair_cover_avx512.cpp): sixteen queries at a time, each
// open column of them in two registers, the verdicts in mask registers; up to eight columns
// stay in registers, and lanes that pass those with more columns are finished one by one. Once
// four columns (three of four) leave no lane covered, the rest are not compared. Regions leave
// few columns open: sixteen queries even on three, and the check after three of four, took two
// fronts of 10000 x 5 from 15.5 ms to 13.6 on an Intel Xeon (Ice Lake).
constexpr std::int32_t kMaxHeld = 8;

__m512d columnLanes(const double* values, const std::int32_t* rows) {
  const __m256i index = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows));
  return _mm512_i32gather_pd(index, values, 8);
}

template <std::int32_t kHeld, int kHalves>
unsigned uncoveredLanes(CrossEntries pointSet, const double* points, std::int32_t size,
                        CrossEntries querySet, const std::int32_t* rows, unsigned lanes,
                        const OpenColumns& open, std::int32_t from) {
  const MatrixView& q = querySet.set;
  // The held open columns of both matrices.
  const double* pointColumn[kHeld];
  __m512d x[kHalves][kHeld];
  for (std::int32_t k = 0; k < kHeld; ++k) {
    const std::int32_t col = open.at(from + k);
    pointColumn[k] = columnData(pointSet.set, col);
    for (int h = 0; h < kHalves; ++h) x[h][k] = columnLanes(columnData(q, col), rows + 8 * h);
  }
  const bool wide = open.count - from > kHeld;
  __mmask8 live[kHalves];
  for (int h = 0; h < kHalves; ++h) live[h] = static_cast<__mmask8>(lanes >> (8 * h) & 0xFFu);
  for (std::int32_t s = 0; s < size; ++s) {
    const std::int32_t point = crossRow(points[s], pointSet.rowMask);
    __mmask8 cover[kHalves];
    __m512d v = _mm512_set1_pd(pointColumn[0][point]);
    for (int h = 0; h < kHalves; ++h) {
      cover[h] = _mm512_mask_cmp_pd_mask(live[h], v, x[h][0], _CMP_LE_OQ);
    }
    for (std::int32_t k = 1; k < kHeld; ++k) {
      if (k == (kHeld > 4 ? 4 : 3)) {
        unsigned any = 0;
        for (int h = 0; h < kHalves; ++h) any |= cover[h];
        if (any == 0) break;
      }
      v = _mm512_set1_pd(pointColumn[k][point]);
      for (int h = 0; h < kHalves; ++h) {
        cover[h] = _mm512_mask_cmp_pd_mask(cover[h], v, x[h][k], _CMP_LE_OQ);
      }
    }
    unsigned covered = 0;
    for (int h = 0; h < kHalves; ++h) covered |= static_cast<unsigned>(cover[h]) << (8 * h);
    if (wide) {
      for (unsigned left = covered; left != 0; left &= left - 1) {
        const int lane = lowestLane(left);
        if (!rowAtMostAcrossOn(pointSet.set, point, q, rows[lane], open, from + kHeld)) {
          covered &= ~(1u << lane);
        }
      }
    }
    unsigned left = 0;
    for (int h = 0; h < kHalves; ++h) {
      live[h] = static_cast<__mmask8>(live[h] & ~(covered >> (8 * h)));
      left |= live[h];
    }
    if (left == 0) return 0;
  }
  unsigned standing = 0;
  for (int h = 0; h < kHalves; ++h) standing |= static_cast<unsigned>(live[h]) << (8 * h);
  return standing;
}

template <std::int32_t kHeld, int kHalves = 2>
void coverPairs(CrossEntries pointSet, const double* points, std::int32_t pointCount,
                CrossEntries querySet, double* queries, std::int32_t queryCount,
                const OpenColumns& open, std::int32_t from, double mark) {
  constexpr std::int32_t kBlock = 8 * kHalves;
  // A last, short block repeats its last query in the lanes it lacks.
  for (std::int32_t b = 0; b < queryCount; b += kBlock) {
    const std::int32_t count = queryCount - b < kBlock ? queryCount - b : kBlock;
    std::int32_t rows[kBlock];
    for (std::int32_t lane = 0; lane < kBlock; ++lane) {
      rows[lane] = crossRow(queries[b + (lane < count ? lane : count - 1)], querySet.rowMask);
    }
    const unsigned lanes = (1u << count) - 1u;
    const unsigned standing = uncoveredLanes<kHeld, kHalves>(pointSet, points, pointCount, querySet,
                                                             rows, lanes, open, from);
    for (std::int32_t lane = 0; lane < count; ++lane) {
      if ((standing >> lane & 1u) == 0) queries[b + lane] += mark;
    }
  }
}

}  // namespace

void coverAcrossPairsAvx512(CrossEntries pointSet, const double* points, std::int32_t pointCount,
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
    case 5:
      return coverPairs<5>(pointSet, points, pointCount, querySet, queries, queryCount, open, from,
                           mark);
    case 6:
      return coverPairs<6>(pointSet, points, pointCount, querySet, queries, queryCount, open, from,
                           mark);
    case 7:
      return coverPairs<7>(pointSet, points, pointCount, querySet, queries, queryCount, open, from,
                           mark);
    default:
      return coverPairs<kMaxHeld>(pointSet, points, pointCount, querySet, queries, queryCount, open,
                                  from, mark);
  }
}
TIER_END

#endif
