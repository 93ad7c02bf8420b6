// Frozen copy of the dominance passes as they stood before the divide and conquer for many
// columns: the baseline the benchmark measures the shipped passes against. Never shipped.
#ifndef BENCH_DOMINANCE_FROZEN_DOMINANCE_H
#define BENCH_DOMINANCE_FROZEN_DOMINANCE_H

#include <cstdint>

#include "common/matrix_view.h"

namespace frozen {

// Outcome of comparing a first row against a second row over every column. All
// comparisons are ordered IEEE-754 ones, so anything involving NaN is false.
struct PairVerdict {
  bool firstGreaterOrEqual;   // first >= second in every column
  bool allEqual;              // first == second in every column
  bool secondGreaterOrEqual;  // second >= first in every column
};

PairVerdict compareRows(const MatrixView& first, std::int32_t firstRow, const MatrixView& second,
                        std::int32_t secondRow, std::int32_t cols);

// Both passes allocate nothing, and use the fastest instruction-set tier of the processor
// they run on; every tier gives the same flags.

// Flags (1.0 on entry) end as 1.0 for rows no other row dominates and that no lower-indexed
// row equals; all others become 0.0.
void markWithinSet(const MatrixView& set, double* flags);

// Judges the surviving rows of `first` (flags from markWithinSet) against the rows of
// `second` (flags all 1.0 on entry), in the fixed scan order that defines the result.
void markAcrossSets(const MatrixView& first, double* firstFlags, const MatrixView& second,
                    double* secondFlags);

}  // namespace frozen

#endif
