#include "dominance/across/three_column_sweeps.h"

#include "common/no_contraction.h"
#include "common/prefetch.h"
#include "dominance/across/corner_staircase.h"
#include "dominance/dominance_rule.h"

// A row of either set meets, in the sweep, only rows passed before it: a second-set row
// passed before a first-set row comes before it in the merged order, so is <= it in the first
// column and differs from it, and <= in the other two means dominating it; a first-set row
// passed before a second-set row is <= it in the first column, an equal one included.
// - The passed second-set rows that no undominated first-set row is <=, at the start of
//   secondRows, reduced to a staircase in the last two columns: a second-set row that any
//   first-set row is <= dominates none of them (dominance_rule.h), so leaving out the rows
//   that fall changes no answer, and keeping the others that some dominated row is <= adds none.
// - The passed undominated first-set rows, at the start of firstEntries, reduced the same way;
//   the dominated ones are marked and stay behind the steps.
void sweepThreeColumnsAcross(const MatrixView& first, double* firstEntries, std::int32_t firstCount,
                             const MatrixView& second, double* secondRows, std::int32_t secondCount,
                             MarkPacking packing) {
  const auto rowOfFirst = [packing](double entry) { return markedRow(entry, packing); };
  const auto rowOfSecond = [](double entry) { return rowOf(entry); };
  const double* firstX = columnData(first, 0);
  const double* firstY = columnData(first, 1);
  const double* firstZ = columnData(first, 2);
  const double* x = columnData(second, 0);
  const double* y = columnData(second, 1);
  const double* z = columnData(second, 2);
  auto passedSecond = columnStaircase(y, z, rowOfSecond, secondRows);
  auto undominated = columnStaircase(firstY, firstZ, rowOfFirst, firstEntries);
  const auto passFirst = [&](std::int32_t f, std::int32_t row) {
    if (passedSecond.covers(firstY[row], firstZ[row])) {
      firstEntries[f] += packing.mark;
    } else {
      undominated.add(f);
    }
  };
  const auto prefetchFirst = [&](std::int32_t f) {
    if (f + kPrefetchAhead < firstCount) {
      const std::int32_t ahead = rowOfFirst(firstEntries[f + kPrefetchAhead]);
      prefetchRead(firstX + ahead);
      prefetchRead(firstY + ahead);
      prefetchRead(firstZ + ahead);
    }
  };
  std::int32_t f = 0;
  std::int32_t row = firstCount > 0 ? rowOfFirst(firstEntries[0]) : 0;
  double ax = firstCount > 0 ? firstX[row] : 0.0;
  for (std::int32_t k = 0; k < secondCount; ++k) {
    if (k + kPrefetchAhead < secondCount) {
      const std::int32_t ahead = rowOf(secondRows[k + kPrefetchAhead]);
      prefetchRead(x + ahead);
      prefetchRead(y + ahead);
      prefetchRead(z + ahead);
    }
    const std::int32_t j = rowOf(secondRows[k]);
    const double bx = x[j];
    // The first-set rows that come before row j in the merged order.
    while (f < firstCount &&
           (ax < bx ||
            (ax == bx && !(y[j] < firstY[row] || (y[j] == firstY[row] && z[j] < firstZ[row]))))) {
      passFirst(f, row);
      if (++f == firstCount) break;
      prefetchFirst(f);
      row = rowOfFirst(firstEntries[f]);
      ax = firstX[row];
    }
    if (undominated.covers(y[j], z[j])) {
      secondRows[k] = kNoRow;
    } else {
      passedSecond.add(k);
    }
  }
  for (; f < firstCount; ++f) {
    prefetchFirst(f);
    passFirst(f, rowOfFirst(firstEntries[f]));
  }
}
