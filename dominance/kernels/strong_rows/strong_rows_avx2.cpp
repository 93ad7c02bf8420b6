#include "common/no_contraction.h"
#include "common/prefetch.h"
#include "common/tier_target.h"
#include "dominance/dominance_rule.h"
#include "dominance/kernels/lane_bits.h"
#include "dominance/kernels/strong_rows/strong_rows.h"

#if TIER_HAS_X86
#include <immintrin.h>

TIER_BEGIN_AVX2
#include "dominance/kernels/strong_rows/strong_rows_driver.h"

namespace {

// Four rows per block, one register per column for up to six columns (more would spill
// vectors to the stack, which Windows does not align for such moves); a lane's verdict is
// all ones where it holds.
struct Avx2StrongLanes {
  static constexpr std::int32_t kWidth = 4;
  static constexpr std::int32_t kHeld = 6;

  template <bool kListed>
  static __m256d column(const MatrixView& m, std::int32_t first, const std::int32_t* rows,
                        __m256i inRange, std::int32_t k) {
    const double* values = columnData(m, k);
    if (kListed) {
      return _mm256_setr_pd(values[rows[0]], values[rows[1]], values[rows[2]], values[rows[3]]);
    }
    // Only the last block takes a masked load, which is slower on a streamed matrix.
    if (_mm256_testc_si256(inRange, _mm256_set1_epi64x(-1))) return _mm256_loadu_pd(values + first);
    return _mm256_maskload_pd(values + first, inRange);
  }

  static bool none(__m256d lanes) { return _mm256_testz_pd(lanes, lanes) != 0; }

  template <std::int32_t kCols, bool kListed>
  static unsigned standing(const MatrixView& m, std::int32_t first, const std::int32_t* listed,
                           std::int32_t count, const StrongRows& strong) {
    constexpr std::int32_t kFixed = kCols > 0 && kCols < kHeld ? kCols : kHeld;
    const std::int32_t cols = kCols > 0 ? kCols : m.cols;
    const std::int32_t held = cols < kFixed ? cols : kFixed;
    const __m256i laneIndex = _mm256_setr_epi64x(0, 1, 2, 3);
    const __m256i inRange = _mm256_cmpgt_epi64(_mm256_set1_epi64x(count), laneIndex);
    // Listed rows past `count` repeat the last one, so that every load stays in the matrix.
    std::int32_t rows[kWidth];
    for (std::int32_t lane = 0; lane < kWidth; ++lane) {
      rows[lane] = kListed ? listed[lane < count ? lane : count - 1] : first + lane;
    }
    const __m256i index = _mm256_setr_epi64x(rows[0], rows[1], rows[2], rows[3]);
    __m256d x[kFixed];
    for (std::int32_t k = 0; k < held; ++k) x[k] = column<kListed>(m, first, rows, inRange, k);
    const std::ptrdiff_t stride = m.rows;
    __m256d alive = _mm256_castsi256_pd(inRange);
    for (std::int32_t w = 0; w < strong.size; ++w) {
      const std::int32_t row = strong.rows[w];
      const double* v = m.data + row;
      __m256d ge = alive;
      for (std::int32_t k = 0; k < held; ++k) {
        ge =
            _mm256_and_pd(ge, _mm256_cmp_pd(x[k], _mm256_broadcast_sd(v + k * stride), _CMP_GE_OQ));
      }
      for (std::int32_t k = held; k < cols && !none(ge); ++k) {
        const __m256d y = column<kListed>(m, first, rows, inRange, k);
        ge = _mm256_and_pd(ge, _mm256_cmp_pd(y, _mm256_broadcast_sd(v + k * stride), _CMP_GE_OQ));
      }
      if (none(ge)) continue;
      // Of the lanes the strong row is <= everywhere, those equal to it fall only when they
      // come after it, as every lane of a block of rows after it does.
      if (!kListed && row < first) {
        alive = _mm256_andnot_pd(ge, alive);
        if (none(alive)) return 0;
        continue;
      }
      __m256d equal = ge;
      for (std::int32_t k = 0; k < held; ++k) {
        equal = _mm256_and_pd(equal,
                              _mm256_cmp_pd(x[k], _mm256_broadcast_sd(v + k * stride), _CMP_EQ_OQ));
      }
      for (std::int32_t k = held; k < cols && !none(equal); ++k) {
        const __m256d y = column<kListed>(m, first, rows, inRange, k);
        equal =
            _mm256_and_pd(equal, _mm256_cmp_pd(y, _mm256_broadcast_sd(v + k * stride), _CMP_EQ_OQ));
      }
      const __m256d later = _mm256_and_pd(
          equal, _mm256_castsi256_pd(_mm256_cmpgt_epi64(index, _mm256_set1_epi64x(row))));
      alive = _mm256_andnot_pd(_mm256_or_pd(_mm256_andnot_pd(equal, ge), later), alive);
      if (none(alive)) return 0;
    }
    return static_cast<unsigned>(_mm256_movemask_pd(alive));
  }
};

}  // namespace

std::int32_t filterByStrongRowsAvx2(const MatrixView& m, double* flags) {
  return filterByColumnCount<Avx2StrongLanes>(m, flags);
}
TIER_END

#endif
