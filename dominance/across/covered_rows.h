#ifndef DOMINANCE_ACROSS_COVERED_ROWS_H
#define DOMINANCE_ACROSS_COVERED_ROWS_H

#include <cstdint>

#include "common/matrix_view.h"
#include "dominance/across/first_entries.h"

// Marks kNoRow every entry of secondRows[0 .. secondCount) whose row j some entry of
// firstEntries[0 .. firstCount) is <= in every column while its s is above j. Both lists
// are in rowPrecedes order and hold no NaN; both are left permuted. In place, nesting
// at most 2 log2 n + 2 calls deep for n listed rows in all; groups with at most leafPairs
// pairs are compared pair by pair.
void dropCoveredRows(const MatrixView& first, double* firstEntries, std::int32_t firstCount,
                     const MatrixView& second, double* secondRows, std::int32_t secondCount,
                     FirstPacking packing, std::int64_t leafPairs);

#endif
