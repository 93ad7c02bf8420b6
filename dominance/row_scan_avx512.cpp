#include "common/no_contraction.h"
#include "common/tier_target.h"
#include "dominance/lane_bits.h"
#include "dominance/row_scan.h"

#if TIER_HAS_X86
#include <immintrin.h>

namespace {

// Rows j .. j+7 of one column are contiguous, so one instruction compares the first row
// with eight rows of the second matrix. Lanes outside `inRange` are never loaded. Applies
// the decisions of the block in lane order and returns the lane that eliminates the first
// row, or -1.
template <std::int32_t kCols, bool kTail>
TIER_TARGET_AVX512 inline int compareBlock(const double* firstData, std::ptrdiff_t row,
                                           std::ptrdiff_t firstStride, std::int32_t cols,
                                           const double* secondData, std::ptrdiff_t j,
                                           std::ptrdiff_t secondStride, double* secondFlags,
                                           __mmask8 inRange, std::int32_t& eliminated) {
  const __m512d zero = _mm512_setzero_pd();
  const __m512d flags =
      kTail ? _mm512_maskz_loadu_pd(inRange, secondFlags) : _mm512_loadu_pd(secondFlags);
  const __mmask8 live = _mm512_mask_cmp_pd_mask(inRange, flags, zero, _CMP_NEQ_OQ);
  if (live == 0) return -1;
  __mmask8 firstGe = live;
  __mmask8 secondGe = live;
  for (std::int32_t k = 0; k < (kCols > 0 ? kCols : cols); ++k) {
    const __m512d a = _mm512_set1_pd(firstData[row + k * firstStride]);
    const double* column = secondData + (j + k * secondStride);
    const __m512d b = kTail ? _mm512_maskz_loadu_pd(inRange, column) : _mm512_loadu_pd(column);
    firstGe = _mm512_mask_cmp_pd_mask(firstGe, a, b, _CMP_GE_OQ);
    secondGe = _mm512_mask_cmp_pd_mask(secondGe, b, a, _CMP_GE_OQ);
    if (kCols == 0 && laneCheckAfterColumn(k) && (firstGe | secondGe) == 0) return -1;
  }
  // Equal rows hold both directions, so the first row loses where only its own holds.
  const unsigned firstLoses = static_cast<unsigned>(firstGe) & ~static_cast<unsigned>(secondGe);
  unsigned secondLoses = secondGe;
  int eliminatedAt = -1;
  if (firstLoses != 0) {
    // Pairs after the eliminating one are never compared.
    secondLoses &= lanesBelowLowest(firstLoses);
    eliminatedAt = lowestLane(firstLoses);
  }
  // Stored even when no lane loses: whether one does is a coin toss while rows fall fast.
  _mm512_mask_storeu_pd(secondFlags, static_cast<__mmask8>(secondLoses), zero);
  eliminated += laneCount(secondLoses);
  return eliminatedAt;
}

TIER_TARGET_AVX512 inline bool allEliminated(const double* flags) {
  const __m512d zero = _mm512_setzero_pd();
  const __m512d either =
      _mm512_or_pd(_mm512_or_pd(_mm512_loadu_pd(flags), _mm512_loadu_pd(flags + 8)),
                   _mm512_or_pd(_mm512_loadu_pd(flags + 16), _mm512_loadu_pd(flags + 24)));
  return _mm512_cmp_pd_mask(either, zero, _CMP_NEQ_OQ) == 0;
}

template <std::int32_t kCols>
TIER_TARGET_AVX512 ScanOutcome scanRow(const MatrixView& first, std::int32_t row, double* firstFlag,
                                       const MatrixView& second, std::int32_t begin,
                                       double* secondFlags) {
  const std::ptrdiff_t firstStride = first.rows;
  const std::ptrdiff_t secondStride = second.rows;
  const std::int32_t end = second.rows;
  std::int32_t eliminated = 0;
  std::int32_t j = begin;
  for (; end - j >= 8; j += 8) {
    // Late in a scan most rows are eliminated: runs of them are passed over four blocks at a
    // time, which keeps the branch predictable where single blocks would be a coin toss.
    if (end - j >= 32 && (j & 31) == (begin & 31) && allEliminated(secondFlags + j)) {
      j += 24;
      continue;
    }
    const int lane =
        compareBlock<kCols, false>(first.data, row, firstStride, first.cols, second.data, j,
                                   secondStride, secondFlags + j, 0xFF, eliminated);
    if (lane >= 0) {
      *firstFlag = 0.0;
      return {j + lane, eliminated};
    }
  }
  if (j < end) {
    const auto inRange = static_cast<__mmask8>((1u << (end - j)) - 1u);
    const int lane =
        compareBlock<kCols, true>(first.data, row, firstStride, first.cols, second.data, j,
                                  secondStride, secondFlags + j, inRange, eliminated);
    if (lane >= 0) {
      *firstFlag = 0.0;
      return {j + lane, eliminated};
    }
  }
  return {end, eliminated};
}

}  // namespace

ScanOutcome scanRowAvx512(const MatrixView& first, std::int32_t row, double* firstFlag,
                          const MatrixView& second, std::int32_t begin, double* secondFlags) {
  switch (first.cols) {
    case 2:
      return scanRow<2>(first, row, firstFlag, second, begin, secondFlags);
    case 3:
      return scanRow<3>(first, row, firstFlag, second, begin, secondFlags);
    default:
      return scanRow<0>(first, row, firstFlag, second, begin, secondFlags);
  }
}

#endif
