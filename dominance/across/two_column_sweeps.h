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

// The sweep with no structure at all, for when few first-set rows are dominated: whether a
// second-set row dominates each first-set row, and the second-set rows that an undominated one
// is <=, each from a running minimum of the second column. Lists as for sweepAcrossTwoColumns,
// left in their order; a dominated first-set row's entry becomes -2 - row, and so does a
// fallen second-set row's. Returns how many first-set rows are dominated, or -1, with both
// lists as they were, once more than one in `most` of the first-set rows passed are.
std::int32_t markAcrossTwoColumns(const MatrixView& first, double* firstEntries,
                                  std::int32_t firstCount, const MatrixView& second,
                                  double* secondRows, std::int32_t secondCount,
                                  FirstPacking packing, std::int32_t most);

#endif
