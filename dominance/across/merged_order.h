#ifndef DOMINANCE_ACROSS_MERGED_ORDER_H
#define DOMINANCE_ACROSS_MERGED_ORDER_H

#include <cstdint>

#include "common/matrix_view.h"

// The sortStandingRows order taken over both sets, first-set rows first among equal ones:
// whether row `lower` of `second` comes before row `upper` of `first`, that is, is lower in
// the first column where they differ. A second-set row that dominates a first-set row comes
// before it, and one that a first-set row is <= everywhere, equal included, after it.
inline bool secondBeforeFirst(const MatrixView& second, std::int32_t lower, const MatrixView& first,
                              std::int32_t upper) {
  for (std::int32_t k = 0; k < first.cols; ++k) {
    const double x = elementAt(second, lower, k);
    const double y = elementAt(first, upper, k);
    if (x < y) return true;
    if (y < x) return false;
  }
  return false;
}

#endif
