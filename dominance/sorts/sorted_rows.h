#ifndef DOMINANCE_SORTS_SORTED_ROWS_H
#define DOMINANCE_SORTS_SORTED_ROWS_H

// Into sorted order and back: the flag vector turned into listed rows and listed rows turned
// back into flags (dominance_rule.h says what listed rows are).

#include <cstdint>

#include "common/matrix_view.h"
#include "dominance/dominance_rule.h"

// Replaces flags[0 .. count) with the standing rows (flag 1.0) that hold no NaN, in
// rowPrecedes order, and returns count. Entries from count on are left meaningless.
// Needs at least one column.
std::int32_t sortStandingRows(const MatrixView& m, double* flags);

// Turns the vector back into flags: a row listed in flags[0 .. count) (kNoRow entries hold
// none) or holding a NaN gets 1.0, every other row 0.0.
void flagsFromListedRows(const MatrixView& m, double* flags, std::int32_t count);

#endif
