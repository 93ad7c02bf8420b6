#ifndef DOMINANCE_ACROSS_THREE_COLUMN_SWEEPS_H
#define DOMINANCE_ACROSS_THREE_COLUMN_SWEEPS_H

// On three columns, one sweep over the merged sorted order of both lists tells which
// first-set rows a second-set row dominates, through a staircase of the second-set rows
// passed (corner_staircase.h), and drops the second-set rows that an undominated first-set
// row is <=, through a staircase of those.

#include <cstdint>

#include "common/matrix_view.h"
#include "dominance/across/marked_entries.h"

// Marks every entry of firstEntries[0 .. firstCount) (unmarked on entry) whose row some row
// of secondRows[0 .. secondCount) dominates, and sets to -2 - row every row of secondRows
// that the row of an unmarked entry is <= in every column. Both lists are in rowPrecedes order on
// entry and hold no NaN; both are left permuted.
void sweepThreeColumnsAcross(const MatrixView& first, double* firstEntries, std::int32_t firstCount,
                             const MatrixView& second, double* secondRows, std::int32_t secondCount,
                             MarkPacking packing);

#endif
