#include "dominance/across/three_column_sweeps.h"

#include <utility>

#include "common/no_contraction.h"
#include "dominance/across/corner_staircase.h"
#include "dominance/across/merged_order.h"
#include "dominance/dominance_rule.h"

// A second-set row passed before a first-set row comes before it in the merged order, so is
// <= it in the first column and differs from it: <= in the other two means dominating it.
std::int32_t sweepUndominatedFirst(const MatrixView& first, double* firstEntries,
                                   std::int32_t firstCount, const MatrixView& second,
                                   double* secondRows, std::int32_t secondCount,
                                   FirstPacking packing) {
  auto passed = columnStaircase(
      columnData(second, 1), columnData(second, 2), [](double entry) { return rowOf(entry); },
      secondRows);
  const double* firstY = columnData(first, 1);
  const double* firstZ = columnData(first, 2);
  std::int32_t undominated = 0;
  std::int32_t k = 0;
  for (std::int32_t f = 0; f < firstCount; ++f) {
    const std::int32_t row = firstRow(firstEntries[f], packing);
    for (; k < secondCount && secondBeforeFirst(second, rowOf(secondRows[k]), first, row); ++k) {
      passed.add(k);
    }
    if (!passed.covers(firstY[row], firstZ[row])) {
      std::swap(firstEntries[undominated++], firstEntries[f]);
    }
  }
  return undominated;
}

// A first-set row passed before a second-set row is <= it in the first column, an equal one
// included; <= in the other two means <= everywhere. A row of the first part has s none, above
// every index, so the row falls; one of the second part needs its s compared.
std::int32_t sweepUncoveredSecond(const MatrixView& first, double* firstEntries,
                                  std::int32_t noneCount, std::int32_t firstCount,
                                  const MatrixView& second, double* secondRows,
                                  std::int32_t secondCount, FirstPacking packing) {
  const auto rowOfFirst = [packing](double entry) { return firstRow(entry, packing); };
  const double* firstY = columnData(first, 1);
  const double* firstZ = columnData(first, 2);
  auto none = columnStaircase(firstY, firstZ, rowOfFirst, firstEntries);
  auto lowered = columnStaircase(firstY, firstZ, rowOfFirst, firstEntries + noneCount);
  const std::int32_t loweredCount = firstCount - noneCount;
  const double* y = columnData(second, 1);
  const double* z = columnData(second, 2);
  std::int32_t open = 0;
  std::int32_t n = 0;
  std::int32_t l = 0;
  for (std::int32_t q = 0; q < secondCount; ++q) {
    const std::int32_t j = rowOf(secondRows[q]);
    for (; n < noneCount && !secondBeforeFirst(second, j, first, rowOfFirst(firstEntries[n]));
         ++n) {
      none.add(n);
    }
    for (; l < loweredCount &&
           !secondBeforeFirst(second, j, first, rowOfFirst(firstEntries[noneCount + l]));
         ++l) {
      lowered.add(l);
    }
    if (none.covers(y[j], z[j])) {
      secondRows[q] = kNoRow;
    } else if (lowered.covers(y[j], z[j])) {
      std::swap(secondRows[open++], secondRows[q]);
    }
  }
  return open;
}
