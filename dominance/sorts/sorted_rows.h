#ifndef DOMINANCE_SORTS_SORTED_ROWS_H
#define DOMINANCE_SORTS_SORTED_ROWS_H

// Into sorted order and back: the flag vector turned into listed rows and listed rows turned
// back into flags (dominance_rule.h says what listed rows are).

#include <cstdint>

#include "common/matrix_view.h"
#include "dominance/dominance_rule.h"

// Lists the standing rows (flag 1.0) in increasing order in flags[0 .. count) and returns
// count; entries from count on are left meaningless.
std::int32_t listStandingRows(double* flags, std::int32_t rows);

// Moves the listed rows that hold NaN to the end of list[0 .. count), sorts the others into
// rowPrecedes order, and returns how many those are. The listed rows are distinct. Needs at
// least one column.
std::int32_t sortListedRows(const MatrixView& m, double* list, std::int32_t count);

// Turns the vector back into flags: a row listed in flags[0 .. count) (kNoRow entries hold
// none) gets 1.0, every other row 0.0.
void flagsFromListedRows(const MatrixView& m, double* flags, std::int32_t count);

#endif
