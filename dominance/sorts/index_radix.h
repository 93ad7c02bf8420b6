#ifndef DOMINANCE_SORTS_INDEX_RADIX_H
#define DOMINANCE_SORTS_INDEX_RADIX_H

// Listed rows sorted by the leading bits of their order key in the first column, as 32-bit
// row indexes: two fit in each entry of the list, so the list itself serves as the source
// and the destination of a stable radix sort that never swaps in place.

#include <cstdint>

#include "common/matrix_view.h"

struct LeadingKeyOrder {
  std::int32_t count;
  // Rows are sorted by orderKey(first column) >> lowBit; rows equal there keep index order.
  int lowBit;
};

// Sorts list[0 .. count) (distinct row indexes of rows without NaN, held in doubles) by
// orderKey(first column) >> lowBit, rows equal there in their order on entry. Needs at least
// one column; uses 6 KiB of stack.
LeadingKeyOrder sortByLeadingKey(const MatrixView& m, double* list, std::int32_t count);

#endif
