#include "common/no_contraction.h"
#include "common/prefetch.h"
#include "common/tier_target.h"
#include "dominance/dominance_rule.h"
#include "dominance/kernels/first_rows_stream/first_rows_stream.h"
#include "dominance/kernels/lane_bits.h"
#include "dominance/sorts/row_order.h"

#if TIER_HAS_X86
#include <immintrin.h>

TIER_BEGIN_AVX2
#include "dominance/kernels/first_rows_stream/first_rows_stream_driver.h"

namespace {

// Four rows per block, one register per column for up to six columns (more would spill
// vectors to the stack, which Windows does not align for such moves); a lane's verdict is
// all ones where it holds.
struct Avx2StreamLanes {
  static constexpr std::int32_t kWidth = 4;
  static constexpr std::int32_t kHeld = 6;

  static __m256d column(const MatrixView& m, std::int32_t begin, __m256i inRange, std::int32_t k) {
    const double* values = columnData(m, k) + begin;
    // Only the last block takes a masked load, which is slower on a streamed matrix.
    if (_mm256_testc_si256(inRange, _mm256_set1_epi64x(-1))) return _mm256_loadu_pd(values);
    return _mm256_maskload_pd(values, inRange);
  }

  static bool none(__m256d lanes) { return _mm256_testz_pd(lanes, lanes) != 0; }

  template <std::int32_t kCols>
  static unsigned block(const MatrixView& second, std::int32_t begin, std::int32_t count,
                        const MatrixView& first, const std::int32_t* open, std::int32_t size,
                        double* secondFlags, unsigned& over) {
    constexpr std::int32_t kFixed = kCols > 0 && kCols < kHeld ? kCols : kHeld;
    const std::int32_t cols = kCols > 0 ? kCols : second.cols;
    const std::int32_t held = cols < kFixed ? cols : kFixed;
    const __m256i inRange =
        _mm256_cmpgt_epi64(_mm256_set1_epi64x(count), _mm256_setr_epi64x(0, 1, 2, 3));
    __m256d x[kFixed];
    for (std::int32_t k = 0; k < held; ++k) x[k] = column(second, begin, inRange, k);
    const std::ptrdiff_t stride = first.rows;
    __m256d standing = _mm256_castsi256_pd(inRange);
    for (std::int32_t w = 0; w < size; ++w) {
      const double* v = first.data + open[w];
      __m256d ge = standing;
      for (std::int32_t k = 0; k < held; ++k) {
        ge =
            _mm256_and_pd(ge, _mm256_cmp_pd(x[k], _mm256_broadcast_sd(v + k * stride), _CMP_GE_OQ));
      }
      for (std::int32_t k = held; k < cols && !none(ge); ++k) {
        const __m256d y = column(second, begin, inRange, k);
        ge = _mm256_and_pd(ge, _mm256_cmp_pd(y, _mm256_broadcast_sd(v + k * stride), _CMP_GE_OQ));
      }
      standing = _mm256_andnot_pd(ge, standing);
      if (none(standing)) break;
    }
    const __m256i fallen = _mm256_andnot_si256(_mm256_castpd_si256(standing), inRange);
    _mm256_maskstore_pd(secondFlags + begin, fallen, _mm256_setzero_pd());
    // No open row is <= a standing lane, so a lane <= an open row differs from it.
    __m256d beyond = _mm256_setzero_pd();
    for (std::int32_t w = 0; w < size && !none(standing); ++w) {
      const double* v = first.data + open[w];
      __m256d le = _mm256_andnot_pd(beyond, standing);
      for (std::int32_t k = 0; k < held; ++k) {
        le =
            _mm256_and_pd(le, _mm256_cmp_pd(x[k], _mm256_broadcast_sd(v + k * stride), _CMP_LE_OQ));
      }
      for (std::int32_t k = held; k < cols && !none(le); ++k) {
        const __m256d y = column(second, begin, inRange, k);
        le = _mm256_and_pd(le, _mm256_cmp_pd(y, _mm256_broadcast_sd(v + k * stride), _CMP_LE_OQ));
      }
      beyond = _mm256_or_pd(beyond, le);
    }
    over = static_cast<unsigned>(_mm256_movemask_pd(beyond));
    return static_cast<unsigned>(_mm256_movemask_pd(standing));
  }
};

}  // namespace

void streamPastFirstRowsAvx2(const MatrixView& first, double* firstFlags, const MatrixView& second,
                             double* secondFlags) {
  streamByColumnCount<Avx2StreamLanes>(first, firstFlags, second, secondFlags);
}
TIER_END

#endif
