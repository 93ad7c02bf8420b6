#ifndef DOMINANCE_SORTS_INDEX_RADIX_H
#define DOMINANCE_SORTS_INDEX_RADIX_H

// The standing rows listed by the leading bits of their order key in the first column, sorted
// as 32-bit row indexes: two fit in each entry of the flag vector, so half of it serves as
// the buffer of a stable radix sort that never swaps in place.

#include <cstdint>

#include "common/matrix_view.h"

struct LeadingKeyOrder {
  std::int32_t count;
  // Rows are sorted by orderKey(first column) >> lowBit; rows equal there keep index order.
  int lowBit;
};

// Replaces flags[0 .. count) with the standing rows (flag 1.0) that hold no NaN, as row
// indexes held in doubles. Needs at least one column; uses 6 KiB of stack.
LeadingKeyOrder listRowsByLeadingKey(const MatrixView& m, double* flags);

#endif
