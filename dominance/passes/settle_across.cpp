#include "dominance/passes/settle_across.h"

#include <algorithm>

#include "common/no_contraction.h"
#include "dominance/across/covered_rows.h"
#include "dominance/across/first_entries.h"
#include "dominance/across/lowest_dominators.h"
#include "dominance/across/three_column_sweeps.h"
#include "dominance/across/two_column_sweeps.h"
#include "dominance/dominance_rule.h"
#include "dominance/sorts/row_order.h"
#include "dominance/sorts/sorted_rows.h"

namespace {

void sortFirstEntries(const MatrixView& first, double* entries, std::int32_t count,
                      FirstPacking packing) {
  std::sort(entries, entries + count, [&first, packing](double a, double b) {
    return rowPrecedes(first, firstRow(a, packing), firstRow(b, packing));
  });
}

// Each query needs its lists in sorted order; the first leaves the second set's permuted
// (and, past two columns, the first set's too), so they are sorted again in between: the
// first set's entries by reading rows, as they carry s.
void settleByQueries(const MatrixView& first, double* firstEntries, std::int32_t firstCount,
                     const MatrixView& second, double* secondRows, std::int32_t secondCount,
                     FirstPacking packing, std::int64_t leafPairs) {
  if (first.cols == 2) {
    sweepLowestDominators(first, firstEntries, firstCount, second, secondRows, secondCount,
                          packing);
  } else {
    findLowestDominators(first, firstEntries, firstCount, second, secondRows, secondCount, packing,
                         leafPairs);
    sortFirstEntries(first, firstEntries, firstCount, packing);
  }
  sortListedRows(second, secondRows, secondCount);
  if (first.cols == 2) {
    sweepCoveredRows(first, firstEntries, firstCount, second, secondRows, secondCount, packing);
  } else {
    dropCoveredRows(first, firstEntries, firstCount, second, secondRows, secondCount, packing,
                    leafPairs);
  }
}

// The sweeps settle every first-set row that nothing dominates and every second-set row that
// such a row is <= everywhere, or that no first-set row is; the divide and conquer takes the
// rest: the dominated first-set rows against all of the second set, then the second-set rows
// left open against the dominated first-set rows, the only ones that may be <= them.
void settleThreeColumns(const MatrixView& first, double* firstEntries, std::int32_t firstCount,
                        const MatrixView& second, double* secondRows, std::int32_t secondCount,
                        FirstPacking packing, std::int64_t leafPairs) {
  const std::int32_t noneCount = sweepUndominatedFirst(first, firstEntries, firstCount, second,
                                                       secondRows, secondCount, packing);
  double* const lowered = firstEntries + noneCount;
  const std::int32_t loweredCount = firstCount - noneCount;
  sortListedRows(second, secondRows, secondCount);
  if (loweredCount > 0) {
    sortFirstEntries(first, lowered, loweredCount, packing);
    findLowestDominators(first, lowered, loweredCount, second, secondRows, secondCount, packing,
                         leafPairs);
    sortFirstEntries(first, lowered, loweredCount, packing);
    sortListedRows(second, secondRows, secondCount);
  }
  const std::int32_t open = sweepUncoveredSecond(first, firstEntries, noneCount, firstCount, second,
                                                 secondRows, secondCount, packing);
  if (open > 0) {
    sortFirstEntries(first, lowered, loweredCount, packing);
    dropCoveredRows(first, lowered, loweredCount, second, secondRows, open, packing, leafPairs);
  }
}

}  // namespace

// Both flag vectors are listed rows between the sorts and flagsFromListedRows; rows holding
// NaN stay listed at the end of each, where nothing eliminates them. The first set's entries
// carry s beside the row while the two queries run.
void settleAcrossSets(const MatrixView& first, double* firstFlags, const MatrixView& second,
                      double* secondFlags, std::int64_t leafPairs) {
  const std::int32_t firstListed = listStandingRows(firstFlags, first.rows);
  const std::int32_t firstCount = sortListedRows(first, firstFlags, firstListed);
  const std::int32_t secondListed = listStandingRows(secondFlags, second.rows);
  const std::int32_t secondCount = sortListedRows(second, secondFlags, secondListed);
  const FirstPacking packing = firstPackingFor(first.rows, second.rows);
  for (std::int32_t p = 0; p < firstCount; ++p) {
    firstFlags[p] = firstEntry(rowOf(firstFlags[p]), packing.none, packing);
  }
  if (first.cols == 3) {
    settleThreeColumns(first, firstFlags, firstCount, second, secondFlags, secondCount, packing,
                       leafPairs);
  } else {
    settleByQueries(first, firstFlags, firstCount, second, secondFlags, secondCount, packing,
                    leafPairs);
  }
  for (std::int32_t p = 0; p < firstCount; ++p) {
    const double entry = firstFlags[p];
    firstFlags[p] = firstLowest(entry, packing) == packing.none ? firstRow(entry, packing) : kNoRow;
  }
  flagsFromListedRows(first, firstFlags, firstListed);
  flagsFromListedRows(second, secondFlags, secondListed);
}

bool acrossSettlingFits(const MatrixView& first, const MatrixView& second) {
  return firstPackingFits(first.rows, second.rows);
}

std::int64_t defaultAcrossLeafPairs() {
  return 512;
}
