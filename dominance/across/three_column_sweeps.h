#ifndef DOMINANCE_ACROSS_THREE_COLUMN_SWEEPS_H
#define DOMINANCE_ACROSS_THREE_COLUMN_SWEEPS_H

// On three columns, one sweep over the merged sorted order of both lists settles most rows of
// each query through a staircase of the rows passed (corner_staircase.h); only the rows it
// leaves open go to the divide and conquer of lowest_dominators.h and covered_rows.h.

#include <cstdint>

#include "common/matrix_view.h"
#include "dominance/across/first_entries.h"

// Moves the entries of firstEntries[0 .. firstCount) whose row no row of secondRows[0 ..
// secondCount) dominates to the front, in their order, and returns how many they are; their
// s stays none. The others, which some row dominates, follow in some order. Both lists are in
// rowPrecedes order on entry and hold no NaN; secondRows is left permuted.
std::int32_t sweepUndominatedFirst(const MatrixView& first, double* firstEntries,
                                   std::int32_t firstCount, const MatrixView& second,
                                   double* secondRows, std::int32_t secondCount,
                                   FirstPacking packing);

// secondRows[0 .. secondCount) in rowPrecedes order; firstEntries[0 .. noneCount) the entries
// whose s is none and firstEntries[noneCount .. firstCount) the others, each part in
// rowPrecedes order. Marks kNoRow the rows that an entry of the first part is <= in every
// column, moves those that only entries of the second part may be <= to the front, in their
// order, and returns how many they are; the rows no entry is <= follow. Both parts of
// firstEntries are left permuted.
std::int32_t sweepUncoveredSecond(const MatrixView& first, double* firstEntries,
                                  std::int32_t noneCount, std::int32_t firstCount,
                                  const MatrixView& second, double* secondRows,
                                  std::int32_t secondCount, FirstPacking packing);

#endif
