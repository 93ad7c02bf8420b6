#include <utility>

#include "common/simd_target.h"
#include "dominance/front_filter.h"
#include "dominance/row_order.h"
#include "dominance/sorted_rows.h"

// Rows the filter already holds at the start of `order` (entries [0, standing)) eliminate
// the next row, or it joins them.
void filterFrontBaseline(const MatrixView& m, double* order, std::int32_t count) {
  std::int32_t standing = 0;
  for (std::int32_t p = 0; p < count; ++p) {
    const std::int32_t row = rowAt(order, p);
    bool falls = false;
    for (std::int32_t s = 0; s < standing; ++s) {
      if (rowAtMostFrom(m, rowAt(order, s), row, 1)) {
        // A row that eliminated one is likely to eliminate the next: check it first.
        std::swap(order[s], order[0]);
        falls = true;
        break;
      }
    }
    if (falls) {
      order[p] = kNoRow;
    } else {
      order[p] = order[standing];
      order[standing++] = row;
    }
  }
}

FrontFilter frontFilterFor(SimdLevel level) {
#if SIMD_HAS_X86
  if (level != SimdLevel::baseline) return filterFrontAvx2;
#else
  (void)level;
#endif
  return filterFrontBaseline;
}
