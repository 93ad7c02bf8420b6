#include "common/no_contraction.h"
#include "common/tier_target.h"
#include "dominance/dominance_rule.h"
#include "dominance/kernels/lane_bits.h"
#include "dominance/kernels/pair_cover.h"
#include "dominance/sorts/row_order.h"

#if TIER_HAS_X86
#include <immintrin.h>

// GCC 12 takes the undefined pass-through operand inside the AVX-512 intrinsics for a read
// of an uninitialised variable.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

TIER_BEGIN_AVX512

namespace {

// Sixteen candidates at a time, each column of them in two registers, the verdicts in mask
// registers; up to eight columns stay in registers, and lanes that pass those with more
// columns are finished one by one. On an AMD EPYC (Zen 5) this outpaces the AVX2 kernel's
// eight candidates.
constexpr std::int32_t kBlock = 16;
constexpr std::int32_t kMaxHeld = 8;

__m512d columnLanes(const double* values, const std::int32_t* rows) {
  const __m256i index = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows));
  return _mm512_i32gather_pd(index, values, 8);
}

// Lanes of the sixteen candidate `rows` that no row listed in group[0 .. size) is <= in
// every column from `col` on.
template <std::int32_t kHeld>
unsigned uncoveredLanes(const MatrixView& m, const double* group, std::int32_t size,
                        const std::int32_t* rows, unsigned lanes, std::int32_t col) {
  __m512d low[kHeld];
  __m512d high[kHeld];
  for (std::int32_t k = 0; k < kHeld; ++k) {
    const double* values = columnData(m, col + k);
    low[k] = columnLanes(values, rows);
    high[k] = columnLanes(values, rows + 8);
  }
  const bool wide = m.cols - col > kHeld;
  const std::ptrdiff_t stride = m.rows;
  const double* const first = columnData(m, col);
  auto liveLow = static_cast<__mmask8>(lanes & 0xFFu);
  auto liveHigh = static_cast<__mmask8>(lanes >> 8);
  for (std::int32_t s = 0; s < size; ++s) {
    const double* values = first + rowOf(group[s]);
    __m512d v = _mm512_set1_pd(values[0]);
    __mmask8 coverLow = _mm512_mask_cmp_pd_mask(liveLow, v, low[0], _CMP_LE_OQ);
    __mmask8 coverHigh = _mm512_mask_cmp_pd_mask(liveHigh, v, high[0], _CMP_LE_OQ);
    for (std::int32_t k = 1; k < kHeld; ++k) {
      v = _mm512_set1_pd(values[k * stride]);
      coverLow = _mm512_mask_cmp_pd_mask(coverLow, v, low[k], _CMP_LE_OQ);
      coverHigh = _mm512_mask_cmp_pd_mask(coverHigh, v, high[k], _CMP_LE_OQ);
    }
    if (wide) {
      unsigned covered = coverLow | static_cast<unsigned>(coverHigh) << 8;
      for (unsigned open = covered; open != 0; open &= open - 1) {
        const int lane = lowestLane(open);
        if (!rowAtMostFrom(m, rowOf(group[s]), rows[lane], col + kHeld)) covered &= ~(1u << lane);
      }
      coverLow = static_cast<__mmask8>(covered & 0xFFu);
      coverHigh = static_cast<__mmask8>(covered >> 8);
    }
    liveLow = static_cast<__mmask8>(liveLow & ~coverLow);
    liveHigh = static_cast<__mmask8>(liveHigh & ~coverHigh);
    if ((liveLow | liveHigh) == 0) return 0;
  }
  return liveLow | static_cast<unsigned>(liveHigh) << 8;
}

template <std::int32_t kHeld>
void coverPairs(const MatrixView& m, const double* upper, std::int32_t upperSize, double* lower,
                std::int32_t lowerSize, std::int32_t col) {
  // A last, short block repeats its last candidate in the lanes it lacks.
  for (std::int32_t b = 0; b < lowerSize; b += kBlock) {
    const std::int32_t count = lowerSize - b < kBlock ? lowerSize - b : kBlock;
    std::int32_t rows[kBlock];
    for (std::int32_t lane = 0; lane < kBlock; ++lane) {
      rows[lane] = rowOf(lower[b + (lane < count ? lane : count - 1)]);
    }
    const unsigned lanes = (1u << count) - 1u;
    const unsigned standing = uncoveredLanes<kHeld>(m, upper, upperSize, rows, lanes, col);
    for (std::int32_t lane = 0; lane < count; ++lane) {
      if ((standing >> lane & 1u) == 0) lower[b + lane] = kNoRow;
    }
  }
}

}  // namespace

void coverPairsAvx512(const MatrixView& m, const double* upper, std::int32_t upperSize,
                      double* lower, std::int32_t lowerSize, std::int32_t col) {
  switch (m.cols - col) {
    case 1:
      return coverPairs<1>(m, upper, upperSize, lower, lowerSize, col);
    case 2:
      return coverPairs<2>(m, upper, upperSize, lower, lowerSize, col);
    case 3:
      return coverPairs<3>(m, upper, upperSize, lower, lowerSize, col);
    case 4:
      return coverPairs<4>(m, upper, upperSize, lower, lowerSize, col);
    case 5:
      return coverPairs<5>(m, upper, upperSize, lower, lowerSize, col);
    case 6:
      return coverPairs<6>(m, upper, upperSize, lower, lowerSize, col);
    case 7:
      return coverPairs<7>(m, upper, upperSize, lower, lowerSize, col);
    default:
      return coverPairs<kMaxHeld>(m, upper, upperSize, lower, lowerSize, col);
  }
}
TIER_END

#endif
