#ifndef DOMINANCE_ACROSS_DOMINATED_ROWS_H
#define DOMINANCE_ACROSS_DOMINATED_ROWS_H

#include <cstdint>

#include "common/matrix_view.h"
#include "common/tier.h"
#include "dominance/across/marked_entries.h"

// Where the halving of dominated_rows.cpp compares rows one by one.
struct MarkLimits {
  std::int64_t leafPairs;   // a run of the merged order with this many pairs, in merged order
  std::int64_t coverPairs;  // two groups with this many pairs, by the tier's pair kernel
  // Both sets split by a pivot's regions first, from this many columns (up to eight) and
  // this many rows in all.
  std::int32_t regionsFromColumns;
  std::int64_t regionsFromRows;
};

MarkLimits defaultMarkLimits();

// Marks every entry of firstEntries[0 .. firstCount) (marked entries whose rank is their
// place in the list, none marked on entry) whose row some row of secondRows[0 .. secondCount)
// dominates, and gives secondMarks.mark to every row of secondRows that the row of an
// unmarked entry is <= in every column: the closed form of dominance_rule.h when no first-set
// row were dominated. Both lists are in rowPrecedes order on entry and hold no NaN; both are
// left permuted. Four or more columns. O(n log^(cols-1) n) for n rows in all, in place;
// nesting at most 2 log2 n + 2 calls deep. The pair kernels are those of `tier`.
void markDominatedRows(Tier tier, const MatrixView& first, double* firstEntries,
                       std::int32_t firstCount, const MatrixView& second, double* secondRows,
                       std::int32_t secondCount, MarkPacking marks, SecondMarking secondMarks,
                       MarkLimits limits);

#endif
