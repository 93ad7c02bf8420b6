#include "common/avx512_diagnostics.h"
#include "common/no_contraction.h"
#include "common/prefetch.h"
#include "common/tier_target.h"
#include "dominance/dominance_rule.h"
#include "dominance/kernels/first_rows_stream/first_rows_stream.h"
#include "dominance/kernels/lane_bits.h"
#include "dominance/sorts/row_order.h"

#if TIER_HAS_X86
#include <immintrin.h>

TIER_BEGIN_AVX512
#include "dominance/kernels/first_rows_stream/first_rows_stream_driver.h"

namespace {

// Eight rows per block, one register per column for up to eight columns; the verdicts are
// mask registers.
struct Avx512StreamLanes {
  static constexpr std::int32_t kWidth = 8;
  static constexpr std::int32_t kHeld = 8;

  static __m512d column(const MatrixView& m, std::int32_t begin, __mmask8 inRange, std::int32_t k) {
    const double* values = columnData(m, k) + begin;
    // Only the last block takes a masked load, which is slower on a streamed matrix.
    if (inRange == 0xFF) return _mm512_loadu_pd(values);
    return _mm512_maskz_loadu_pd(inRange, values);
  }

  template <std::int32_t kCols>
  static unsigned block(const MatrixView& second, std::int32_t begin, std::int32_t count,
                        const MatrixView& first, const std::int32_t* open, std::int32_t size,
                        double* secondFlags, unsigned& over) {
    constexpr std::int32_t kFixed = kCols > 0 && kCols < kHeld ? kCols : kHeld;
    const std::int32_t cols = kCols > 0 ? kCols : second.cols;
    const std::int32_t held = cols < kFixed ? cols : kFixed;
    const auto inRange = static_cast<__mmask8>((1u << count) - 1u);
    __m512d x[kFixed];
    for (std::int32_t k = 0; k < held; ++k) x[k] = column(second, begin, inRange, k);
    const std::ptrdiff_t stride = first.rows;
    __mmask8 standing = inRange;
    for (std::int32_t w = 0; w < size; ++w) {
      const double* v = first.data + open[w];
      __mmask8 ge = standing;
      for (std::int32_t k = 0; k < held; ++k) {
        ge = _mm512_mask_cmp_pd_mask(ge, x[k], _mm512_set1_pd(v[k * stride]), _CMP_GE_OQ);
      }
      for (std::int32_t k = held; k < cols && ge != 0; ++k) {
        const __m512d y = column(second, begin, inRange, k);
        ge = _mm512_mask_cmp_pd_mask(ge, y, _mm512_set1_pd(v[k * stride]), _CMP_GE_OQ);
      }
      standing = static_cast<__mmask8>(standing & ~ge);
      if (standing == 0) break;
    }
    _mm512_mask_storeu_pd(secondFlags + begin, static_cast<__mmask8>(inRange & ~standing),
                          _mm512_setzero_pd());
    // No open row is <= a standing lane, so a lane <= an open row differs from it.
    __mmask8 beyond = 0;
    for (std::int32_t w = 0; w < size && standing != 0; ++w) {
      const double* v = first.data + open[w];
      __mmask8 le = static_cast<__mmask8>(standing & ~beyond);
      for (std::int32_t k = 0; k < held; ++k) {
        le = _mm512_mask_cmp_pd_mask(le, x[k], _mm512_set1_pd(v[k * stride]), _CMP_LE_OQ);
      }
      for (std::int32_t k = held; k < cols && le != 0; ++k) {
        const __m512d y = column(second, begin, inRange, k);
        le = _mm512_mask_cmp_pd_mask(le, y, _mm512_set1_pd(v[k * stride]), _CMP_LE_OQ);
      }
      beyond = static_cast<__mmask8>(beyond | le);
    }
    over = beyond;
    return standing;
  }
};

}  // namespace

void streamPastFirstRowsAvx512(const MatrixView& first, double* firstFlags,
                               const MatrixView& second, double* secondFlags) {
  streamByColumnCount<Avx512StreamLanes>(first, firstFlags, second, secondFlags);
}
TIER_END

#endif
