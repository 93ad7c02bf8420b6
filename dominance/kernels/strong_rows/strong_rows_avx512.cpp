#include "common/avx512_diagnostics.h"
#include "common/no_contraction.h"
#include "common/prefetch.h"
#include "common/tier_target.h"
#include "dominance/dominance_rule.h"
#include "dominance/kernels/lane_bits.h"
#include "dominance/kernels/strong_rows/strong_rows.h"

#if TIER_HAS_X86
#include <immintrin.h>

TIER_BEGIN_AVX512
#include "dominance/kernels/strong_rows/strong_rows_driver.h"

namespace {

// Eight rows per block, one register per column for up to eight columns; the range and
// the verdicts are mask registers.
struct Avx512StrongLanes {
  static constexpr std::int32_t kWidth = 8;
  static constexpr std::int32_t kHeld = 8;

  template <bool kListed>
  static __m512d column(const MatrixView& m, std::int32_t first, __m256i rows, __mmask8 inRange,
                        std::int32_t k) {
    const double* values = columnData(m, k);
    if (kListed) return _mm512_mask_i32gather_pd(_mm512_setzero_pd(), inRange, rows, values, 8);
    // Masked loads measured more than twice as slow on a streamed matrix: only the last block
    // takes one.
    if (inRange == 0xFF) return _mm512_loadu_pd(values + first);
    return _mm512_maskz_loadu_pd(inRange, values + first);
  }

  template <std::int32_t kCols, bool kListed>
  static unsigned standing(const MatrixView& m, std::int32_t first, const std::int32_t* listed,
                           std::int32_t count, const StrongRows& strong) {
    constexpr std::int32_t kFixed = kCols > 0 && kCols < kHeld ? kCols : kHeld;
    const std::int32_t cols = kCols > 0 ? kCols : m.cols;
    const std::int32_t held = cols < kFixed ? cols : kFixed;
    const auto inRange = static_cast<__mmask8>((1u << count) - 1u);
    const __m256i rows = kListed ? _mm256_maskz_loadu_epi32(inRange, listed)
                                 : _mm256_add_epi32(_mm256_set1_epi32(first),
                                                    _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    const __m512i index = _mm512_cvtepi32_epi64(rows);
    __m512d x[kFixed];
    for (std::int32_t k = 0; k < held; ++k) x[k] = column<kListed>(m, first, rows, inRange, k);
    const std::ptrdiff_t stride = m.rows;
    __mmask8 alive = inRange;
    for (std::int32_t w = 0; w < strong.size; ++w) {
      const std::int32_t row = strong.rows[w];
      const double* v = m.data + row;
      __mmask8 ge = alive;
      for (std::int32_t k = 0; k < held; ++k) {
        ge = _mm512_mask_cmp_pd_mask(ge, x[k], _mm512_set1_pd(v[k * stride]), _CMP_GE_OQ);
      }
      for (std::int32_t k = held; k < cols && ge != 0; ++k) {
        const __m512d y = column<kListed>(m, first, rows, inRange, k);
        ge = _mm512_mask_cmp_pd_mask(ge, y, _mm512_set1_pd(v[k * stride]), _CMP_GE_OQ);
      }
      if (ge == 0) continue;
      // Of the lanes the strong row is <= everywhere, those equal to it fall only when they
      // come after it, as every lane of a block of rows after it does.
      if (!kListed && row < first) {
        alive = static_cast<__mmask8>(alive & ~ge);
        if (alive == 0) return 0;
        continue;
      }
      __mmask8 equal = ge;
      for (std::int32_t k = 0; k < held; ++k) {
        equal = _mm512_mask_cmp_pd_mask(equal, x[k], _mm512_set1_pd(v[k * stride]), _CMP_EQ_OQ);
      }
      for (std::int32_t k = held; k < cols && equal != 0; ++k) {
        const __m512d y = column<kListed>(m, first, rows, inRange, k);
        equal = _mm512_mask_cmp_pd_mask(equal, y, _mm512_set1_pd(v[k * stride]), _CMP_EQ_OQ);
      }
      const __mmask8 later = _mm512_mask_cmpgt_epi64_mask(equal, index, _mm512_set1_epi64(row));
      alive = static_cast<__mmask8>(alive & ~((ge & ~equal) | later));
      if (alive == 0) return 0;
    }
    return alive;
  }
};

}  // namespace

std::int32_t filterByStrongRowsAvx512(const MatrixView& m, double* flags) {
  return filterByColumnCount<Avx512StrongLanes>(m, flags);
}
TIER_END

#endif
