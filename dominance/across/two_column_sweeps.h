#ifndef DOMINANCE_ACROSS_TWO_COLUMN_SWEEPS_H
#define DOMINANCE_ACROSS_TWO_COLUMN_SWEEPS_H

// Both cross-set queries on two columns by one sweep over the merged sorted order of both
// lists. The standing first-set rows form a staircase: in sorted order the first column
// strictly rises and the second strictly falls.

#include <cstdint>

#include "common/matrix_view.h"
#include "dominance/across/first_entries.h"

// Sets s of every entry of firstEntries[0 .. firstCount) (none on entry) and sets to -2 - row
// every row of secondRows[0 .. secondCount) that falls, as findLowestDominators and then
// dropCoveredRows would. Both lists are in rowPrecedes order on entry and hold no NaN; both
// are left permuted. O(n log n) for n rows in all, in place.
void sweepAcrossTwoColumns(const MatrixView& first, double* firstEntries, std::int32_t firstCount,
                           const MatrixView& second, double* secondRows, std::int32_t secondCount,
                           FirstPacking packing);

#endif
