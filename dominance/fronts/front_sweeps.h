#ifndef DOMINANCE_FRONTS_FRONT_SWEEPS_H
#define DOMINANCE_FRONTS_FRONT_SWEEPS_H

// Sweeps over rows in sortListedRows order (order[0 .. count) holds row indexes). In that
// order every row that dominates a row, or equals it with a lower index, comes before it,
// and every earlier row is <= it in the first column; so a row falls exactly when some
// earlier row is <= it in all the other columns. Each sweep replaces the entries of fallen
// rows with kNoRow and leaves the standing rows' indexes, in some order.

#include <cstdint>

#include "common/matrix_view.h"

// Two columns: an earlier row <= in the second column suffices, so a running minimum decides.
void sweepTwoColumns(const MatrixView& m, double* order, std::int32_t count);

// Three columns: the earlier rows that are minimal in the last two columns form a staircase,
// kept sorted at the start of `order`, and one lookup in it decides each row.
void sweepThreeColumns(const MatrixView& m, double* order, std::int32_t count);

#endif
