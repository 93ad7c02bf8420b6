#ifndef DOMINANCE_ACROSS_TWO_COLUMN_SWEEPS_H
#define DOMINANCE_ACROSS_TWO_COLUMN_SWEEPS_H

// The two cross-set queries on two columns, each one sweep over the merged sorted order of
// both lists. The standing first-set rows then form a staircase: in sorted order the first
// column rises and the second strictly falls.

#include <cstdint>

#include "common/matrix_view.h"
#include "dominance/across/first_entries.h"

// findLowestDominators for two columns: firstEntries keep their order, secondRows are left
// permuted.
void sweepLowestDominators(const MatrixView& first, double* firstEntries, std::int32_t firstCount,
                           const MatrixView& second, double* secondRows, std::int32_t secondCount,
                           FirstPacking packing);

// dropCoveredRows for two columns, on both lists in sorted order: secondRows keep theirs,
// firstEntries are left permuted.
void sweepCoveredRows(const MatrixView& first, double* firstEntries, std::int32_t firstCount,
                      const MatrixView& second, double* secondRows, std::int32_t secondCount,
                      FirstPacking packing);

#endif
