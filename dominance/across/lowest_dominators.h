#ifndef DOMINANCE_ACROSS_LOWEST_DOMINATORS_H
#define DOMINANCE_ACROSS_LOWEST_DOMINATORS_H

#include <cstdint>

#include "common/matrix_view.h"
#include "dominance/across/first_entries.h"

// Sets s of every entry of firstEntries[0 .. firstCount) (packed as first_entries.h says, s
// none on entry) to the lowest index of a row of secondRows[0 .. secondCount) that dominates
// its row. Both lists are in rowPrecedes order and hold no NaN; both are left permuted.
// Works in place, in O(n log^(cols-1) n), nesting at most 2 log2 n + 2 calls deep for n
// listed rows in all; groups with at most leafPairs pairs are compared pair by pair.
void findLowestDominators(const MatrixView& first, double* firstEntries, std::int32_t firstCount,
                          const MatrixView& second, double* secondRows, std::int32_t secondCount,
                          FirstPacking packing, std::int64_t leafPairs);

#endif
