// Frozen copy of the dominance passes as they stood before the divide and conquer for many
// columns: the baseline the benchmark measures the shipped passes against. Never shipped.
#ifndef BENCH_DOMINANCE_FROZEN_SORTED_ROWS_H
#define BENCH_DOMINANCE_FROZEN_SORTED_ROWS_H

// The passes that work in sorted order keep all their state in the flag vector itself: its
// entries hold row indexes as integer-valued doubles (exact, as every index is far below
// 2^53), and kNoRow marks an entry that holds no row.

#include <cstdint>

#include "common/matrix_view.h"

namespace frozen {

constexpr double kNoRow = -1.0;

inline std::int32_t rowOf(double entry) {
  return static_cast<std::int32_t>(entry);
}

// Replaces flags[0 .. count) with the standing rows (flag 1.0) that hold no NaN, in
// rowPrecedes order, and returns count. Entries from count on are left meaningless.
// Needs at least one column.
std::int32_t sortStandingRows(const MatrixView& m, double* flags);

// Turns the vector back into flags: a row listed in flags[0 .. count) (kNoRow entries hold
// none) or holding a NaN gets 1.0, every other row 0.0.
void flagsFromListedRows(const MatrixView& m, double* flags, std::int32_t count);

}  // namespace frozen

#endif
