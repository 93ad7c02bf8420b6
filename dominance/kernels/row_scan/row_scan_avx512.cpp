#include "common/no_contraction.h"
#include "common/tier_target.h"
#include "dominance/kernels/lane_bits.h"
#include "dominance/kernels/row_scan/row_scan.h"

#if TIER_HAS_X86
#include <immintrin.h>

TIER_BEGIN_AVX512
#include "dominance/kernels/row_scan/row_scan_driver.h"

namespace {

// Eight rows per block; the range is a mask register.
struct Avx512Lanes {
  static constexpr std::int32_t kWidth = 8;

  static __mmask8 allLanes() { return 0xFF; }

  static __mmask8 firstLanes(std::int32_t count) {
    return static_cast<__mmask8>((1u << count) - 1u);
  }

  // Each lane holds the two directions of one pair's verdict; equality is both holding.
  template <std::int32_t kCols, bool kTail>
  static int compareBlock(const double* firstData, std::ptrdiff_t row, std::ptrdiff_t firstStride,
                          std::int32_t cols, const double* secondData, std::ptrdiff_t j,
                          std::ptrdiff_t secondStride, double* secondFlags, __mmask8 inRange,
                          std::int32_t& eliminated) {
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

  static bool runEliminated(const double* flags) {
    const __m512d zero = _mm512_setzero_pd();
    const __m512d either =
        _mm512_or_pd(_mm512_or_pd(_mm512_loadu_pd(flags), _mm512_loadu_pd(flags + 8)),
                     _mm512_or_pd(_mm512_loadu_pd(flags + 16), _mm512_loadu_pd(flags + 24)));
    return _mm512_cmp_pd_mask(either, zero, _CMP_NEQ_OQ) == 0;
  }
};

}  // namespace

ScanOutcome scanRowAvx512(const MatrixView& first, std::int32_t row, double* firstFlag,
                          const MatrixView& second, std::int32_t begin, double* secondFlags) {
  return scanByColumnCount<BlockScan<Avx512Lanes>>(first, row, firstFlag, second, begin,
                                                   secondFlags);
}
TIER_END

#endif
