#include "dominance/passes/settle_across.h"

#include <algorithm>

#include "common/no_contraction.h"
#include "dominance/across/covered_rows.h"
#include "dominance/across/first_entries.h"
#include "dominance/across/lowest_dominators.h"
#include "dominance/across/two_column_sweeps.h"
#include "dominance/dominance_rule.h"
#include "dominance/sorts/row_order.h"
#include "dominance/sorts/sorted_rows.h"

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
  // Each query needs its lists in sorted order; the first leaves the second set's permuted
  // (and, past two columns, the first set's too), so they are sorted again in between: the
  // first set's entries by reading rows, as they carry s.
  if (first.cols == 2) {
    sweepLowestDominators(first, firstFlags, firstCount, second, secondFlags, secondCount, packing);
  } else {
    findLowestDominators(first, firstFlags, firstCount, second, secondFlags, secondCount, packing,
                         leafPairs);
    std::sort(firstFlags, firstFlags + firstCount, [&first, packing](double a, double b) {
      return rowPrecedes(first, firstRow(a, packing), firstRow(b, packing));
    });
  }
  sortListedRows(second, secondFlags, secondCount);
  if (first.cols == 2) {
    sweepCoveredRows(first, firstFlags, firstCount, second, secondFlags, secondCount, packing);
  } else {
    dropCoveredRows(first, firstFlags, firstCount, second, secondFlags, secondCount, packing,
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
