#ifndef DOMINANCE_KERNELS_STRONG_ROWS_STRONG_ROWS_H
#define DOMINANCE_KERNELS_STRONG_ROWS_STRONG_ROWS_H

// A few strong rows, kept while the rows of a set stream past them, eliminate most others
// at the cost of reading the matrix once: on sets with small fronts a handful of rows near
// the origin dominate nearly every row. A strong row eliminates a row it dominates or equals
// with a lower index, as the closed form does (see dominance_rule.h).

#include <cstdint>

#include "common/matrix_view.h"

// Up to kMost rows, by increasing score (the best eliminators are tried first), none
// dominating another. The score only orders them; which rows they are never changes a
// result, only how many rows are left to settle.
struct StrongRows {
  static constexpr std::int32_t kMost = 32;
  static constexpr std::int32_t kScoredColumns = 16;
  std::int32_t size;
  std::int32_t rows[kMost];
  double scores[kMost];
  // score = sum over the first kScoredColumns columns of (value - low) * scale, so that
  // columns on different scales weigh alike.
  std::int32_t scoredColumns;
  double low[kScoredColumns];
  double scale[kScoredColumns];
};

// An empty set of strong rows scaled to the values of a sample of the rows of `m`, which is
// then offered to it; needs at least one column.
void seedStrongRows(const MatrixView& m, StrongRows& strong);

// Takes `row` (which no strong row eliminates) in if its score beats the worst one's, or
// there is room; the strong rows it dominates leave.
void offerStrongRow(const MatrixView& m, std::int32_t row, StrongRows& strong);

// Replaces the flags (all 1.0 on entry) with the listed rows (see dominance_rule.h), in
// increasing order, of the rows that no strong row eliminates, and returns their count;
// entries from the count on are left meaningless. Rows that pass are offered as strong
// rows on the way; the list is then filtered once more by the strong rows as they ended.
// Where more than seven rows in eight pass, the rest are listed unread.
// Needs at least two columns. Uses about 1 KiB of stack.
using StrongRowFilter = std::int32_t (*)(const MatrixView& m, double* flags);

std::int32_t filterByStrongRowsBaseline(const MatrixView& m, double* flags);

#endif
