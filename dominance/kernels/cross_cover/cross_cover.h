#ifndef DOMINANCE_KERNELS_CROSS_COVER_CROSS_COVER_H
#define DOMINANCE_KERNELS_CROSS_COVER_CROSS_COVER_H

#include <cstdint>

#include "common/matrix_view.h"
#include "dominance/kernels/leaves/open_columns.h"

// Entries of one set's list for the pair kernels of the cross-set pass: the row index in the
// bits of `rowMask`, whatever the entry holds above them.
struct CrossEntries {
  const MatrixView& set;
  std::int64_t rowMask;
};

inline std::int32_t crossRow(double entry, std::int64_t rowMask) {
  return static_cast<std::int32_t>(static_cast<std::int64_t>(entry) & rowMask);
}

// Compares two groups of entries from two matrices of the same width pair by pair: every
// entry of queries[0 .. queryCount) whose row some row of points[0 .. pointCount) is <= in
// the open columns from position `from` on (open_columns.h) gets `mark` added, a bit above
// every bit it holds. No entry of either group is marked on entry. tier_table.h picks the one
// of a tier.
using CrossCover = void (*)(CrossEntries pointSet, const double* points, std::int32_t pointCount,
                            CrossEntries querySet, double* queries, std::int32_t queryCount,
                            const OpenColumns& open, std::int32_t from, double mark);

void coverAcrossPairsBaseline(CrossEntries pointSet, const double* points, std::int32_t pointCount,
                              CrossEntries querySet, double* queries, std::int32_t queryCount,
                              const OpenColumns& open, std::int32_t from, double mark);

// Row `lower` of `m` is <= row `upper` of `n` in every column from `fromCol` on.
inline bool rowAtMostAcross(const MatrixView& m, std::int32_t lower, const MatrixView& n,
                            std::int32_t upper, std::int32_t fromCol) {
  for (std::int32_t k = fromCol; k < m.cols; ++k) {
    if (!(elementAt(m, lower, k) <= elementAt(n, upper, k))) return false;
  }
  return true;
}

// The same in the open columns from position `from` on.
inline bool rowAtMostAcrossOn(const MatrixView& m, std::int32_t lower, const MatrixView& n,
                              std::int32_t upper, const OpenColumns& open, std::int32_t from) {
  for (std::int32_t i = from; i < open.count; ++i) {
    const std::int32_t k = open.at(i);
    if (!(elementAt(m, lower, k) <= elementAt(n, upper, k))) return false;
  }
  return true;
}

#endif
