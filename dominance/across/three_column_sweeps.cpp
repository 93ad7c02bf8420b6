#include "dominance/across/three_column_sweeps.h"

#include "common/no_contraction.h"
#include "common/prefetch.h"
#include "dominance/dominance_rule.h"
#include "dominance/fronts/packed_staircase.h"
#include "dominance/sorts/packed_keys.h"

// A row of either set meets, in the sweep, only rows passed before it: a second-set row
// passed before a first-set row comes before it in the merged order, so is <= it in the first
// column and differs from it, and <= in the other two means dominating it; a first-set row
// passed before a second-set row is <= it in the first column, an equal one included.
// - The passed second-set rows that no undominated first-set row is <=, at the start of
//   secondRows, reduced to a staircase in the last two columns: a second-set row that any
//   first-set row is <= dominates none of them (dominance_rule.h), so leaving out the rows
//   that fall changes no answer, and keeping the others that some dominated row is <= adds none.
// - The passed undominated first-set rows, at the start of firstEntries, reduced the same way.
// While the sweep runs, a dominated first-set row's entry holds -2 - row, and steps are packed
// entries; both lists are turned back at the end, fallen second-set rows to -2 - row.
void sweepThreeColumnsAcross(const MatrixView& first, double* firstEntries, std::int32_t firstCount,
                             const MatrixView& second, double* secondRows, std::int32_t secondCount,
                             MarkPacking packing) {
  const Packing firstPacking = packingFor(first.rows);
  const Packing secondPacking = packingFor(second.rows);
  const double* firstX = columnData(first, 0);
  const double* firstY = columnData(first, 1);
  const double* firstZ = columnData(first, 2);
  const double* x = columnData(second, 0);
  const double* y = columnData(second, 1);
  const double* z = columnData(second, 2);
  PackedStaircase passedSecond{y, z, secondPacking, secondRows};
  PackedStaircase undominated{firstY, firstZ, firstPacking, firstEntries};
  const auto passFirst = [&](std::int32_t f, std::int32_t row) {
    if (passedSecond.covers(firstY[row], firstZ[row])) {
      firstEntries[f] = -2.0 - row;
    } else {
      undominated.add(f, row);
    }
  };
  const auto prefetchFirst = [&](std::int32_t f) {
    if (f + kPrefetchAhead < firstCount) {
      const std::int32_t ahead = markedRow(firstEntries[f + kPrefetchAhead], packing);
      prefetchRead(firstX + ahead);
      prefetchRead(firstY + ahead);
      prefetchRead(firstZ + ahead);
    }
  };
  std::int32_t f = 0;
  std::int32_t row = firstCount > 0 ? markedRow(firstEntries[0], packing) : 0;
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
      row = markedRow(firstEntries[f], packing);
      ax = firstX[row];
    }
    if (undominated.covers(y[j], z[j])) {
      secondRows[k] = -2.0 - j;
    } else {
      passedSecond.add(k, j);
    }
  }
  for (; f < firstCount; ++f) {
    prefetchFirst(f);
    passFirst(f, markedRow(firstEntries[f], packing));
  }
  for (std::int32_t p = 0; p < firstCount; ++p) {
    const double entry = firstEntries[p];
    firstEntries[p] =
        entry < 0.0
            ? markedEntry(static_cast<std::int32_t>(-2.0 - entry), 0, packing) + packing.mark
            : markedEntry(packedRow(entry, firstPacking), 0, packing);
  }
  for (std::int32_t p = 0; p < secondCount; ++p) {
    if (secondRows[p] >= 0.0) secondRows[p] = packedRow(secondRows[p], secondPacking);
  }
}
