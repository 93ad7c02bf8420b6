#include "common/no_contraction.h"
#include "common/tier_target.h"
#include "dominance/kernels/lane_bits.h"
#include "dominance/kernels/row_scan/row_scan.h"

#if TIER_HAS_X86
#include <immintrin.h>

#include "dominance/kernels/avx2_lanes.h"

TIER_BEGIN_AVX2
#include "dominance/kernels/row_scan/row_scan_driver.h"

namespace {

// Four rows per block; a lane's mask is all ones inside the range.
struct Avx2Lanes {
  static constexpr std::int32_t kWidth = 4;

  static __m256i allLanes() { return _mm256_set1_epi64x(-1); }

  static __m256i firstLanes(std::int32_t count) {
    return _mm256_cmpgt_epi64(_mm256_set1_epi64x(count), _mm256_set_epi64x(3, 2, 1, 0));
  }

  // Each lane holds the two directions of one pair's verdict; equality is both holding.
  template <std::int32_t kCols, bool kTail>
  static int compareBlock(const double* firstData, std::ptrdiff_t row, std::ptrdiff_t firstStride,
                          std::int32_t cols, const double* secondData, std::ptrdiff_t j,
                          std::ptrdiff_t secondStride, double* secondFlags, __m256i inRange,
                          std::int32_t& eliminated) {
    const __m256d zero = _mm256_setzero_pd();
    const __m256d flags =
        kTail ? _mm256_maskload_pd(secondFlags, inRange) : _mm256_loadu_pd(secondFlags);
    __m256d live = _mm256_cmp_pd(flags, zero, _CMP_NEQ_OQ);
    if (kTail) live = _mm256_and_pd(live, _mm256_castsi256_pd(inRange));
    if (_mm256_testz_pd(live, live)) return -1;
    __m256d firstGe = live;
    __m256d secondGe = live;
    for (std::int32_t k = 0; k < (kCols > 0 ? kCols : cols); ++k) {
      const __m256d a = _mm256_broadcast_sd(firstData + (row + k * firstStride));
      const double* column = secondData + (j + k * secondStride);
      const __m256d b = kTail ? _mm256_maskload_pd(column, inRange) : _mm256_loadu_pd(column);
      firstGe = _mm256_and_pd(firstGe, _mm256_cmp_pd(a, b, _CMP_GE_OQ));
      secondGe = _mm256_and_pd(secondGe, _mm256_cmp_pd(b, a, _CMP_GE_OQ));
      if (kCols == 0 && laneCheckAfterColumn(k)) {
        const __m256d open = _mm256_or_pd(firstGe, secondGe);
        if (_mm256_testz_pd(open, open)) return -1;
      }
    }
    // Equal rows hold both directions, so the first row loses where only its own holds.
    unsigned secondLoses = static_cast<unsigned>(_mm256_movemask_pd(secondGe));
    const unsigned firstLoses = static_cast<unsigned>(_mm256_movemask_pd(firstGe)) & ~secondLoses;
    __m256d losing = secondGe;
    int eliminatedAt = -1;
    if (firstLoses != 0) {
      // Pairs after the eliminating one are never compared.
      secondLoses &= lanesBelowLowest(firstLoses);
      losing = lanesToVector(secondLoses);
      eliminatedAt = lowestLane(firstLoses);
    }
    // The block's flags are written back whole with the losing lanes cleared, whether or not
    // any lane lost: that is a coin toss while rows fall fast, and masked stores are slow.
    const __m256d kept = _mm256_andnot_pd(losing, flags);
    if (!kTail) {
      _mm256_storeu_pd(secondFlags, kept);
    } else if (secondLoses != 0) {
      _mm256_maskstore_pd(secondFlags, inRange, kept);
    }
    eliminated += laneCount(secondLoses);
    return eliminatedAt;
  }

  static bool runEliminated(const double* flags) {
    const __m256d either =
        _mm256_or_pd(_mm256_or_pd(_mm256_loadu_pd(flags), _mm256_loadu_pd(flags + 4)),
                     _mm256_or_pd(_mm256_loadu_pd(flags + 8), _mm256_loadu_pd(flags + 12)));
    const __m256d live = _mm256_cmp_pd(either, _mm256_setzero_pd(), _CMP_NEQ_OQ);
    return _mm256_testz_pd(live, live) != 0;
  }
};

}  // namespace

ScanOutcome scanRowAvx2(const MatrixView& first, std::int32_t row, double* firstFlag,
                        const MatrixView& second, std::int32_t begin, double* secondFlags) {
  return scanByColumnCount<BlockScan<Avx2Lanes>>(first, row, firstFlag, second, begin, secondFlags);
}
TIER_END

#endif
