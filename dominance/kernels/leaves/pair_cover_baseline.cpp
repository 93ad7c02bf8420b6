#include "common/no_contraction.h"
#include "dominance/dominance_rule.h"
#include "dominance/kernels/leaves/pair_cover.h"
#include "dominance/sorts/row_order.h"

void coverPairsBaseline(const MatrixView& m, const OpenColumns& open, const double* upper,
                        std::int32_t upperSize, double* lower, std::int32_t lowerSize,
                        std::int32_t from) {
  for (std::int32_t b = 0; b < lowerSize; ++b) {
    const std::int32_t row = rowOf(lower[b]);
    for (std::int32_t t = 0; t < upperSize; ++t) {
      if (rowAtMostOn(m, open, rowOf(upper[t]), row, from)) {
        lower[b] = kNoRow;
        break;
      }
    }
  }
}
