#include "dominance/across/two_column_sweeps.h"

#include <algorithm>
#include <utility>

#include "common/no_contraction.h"
#include "dominance/across/merged_order.h"
#include "dominance/dominance_rule.h"

// secondRows[0 .. size) holds the steps: second-set rows met so far whose second column is
// at most that of the current first-set row, by rising second column and falling index,
// none beaten in both by another. Behind them lie the settled rows, then those to come. A
// first-set row's lowest dominator is the last step; as first-set rows come with a falling
// second column, steps above it leave from the end for good.
void sweepLowestDominators(const MatrixView& first, double* firstEntries, std::int32_t firstCount,
                           const MatrixView& second, double* secondRows, std::int32_t secondCount,
                           FirstPacking packing) {
  const double* firstY = columnData(first, 1);
  const double* y = columnData(second, 1);
  double* const steps = secondRows;
  std::int32_t size = 0;
  std::int32_t k = 0;
  for (std::int32_t f = 0; f < firstCount; ++f) {
    const std::int32_t row = firstRow(firstEntries[f], packing);
    const double limit = firstY[row];
    for (; k < secondCount && secondBeforeFirst(second, rowOf(secondRows[k]), first, row); ++k) {
      const std::int32_t j = rowOf(secondRows[k]);
      const double v = y[j];
      if (v > limit) continue;
      double* const after =
          std::upper_bound(steps, steps + size, v,
                           [y](double value, double step) { return value < y[rowOf(step)]; });
      if (after != steps && rowOf(after[-1]) < j) continue;
      // Row j replaces the steps it beats in both: one with the same second column just
      // before, then those after it with a higher index.
      double* from = after;
      if (from != steps && y[rowOf(from[-1])] == v) --from;
      double* to = after;
      while (to != steps + size && rowOf(*to) > j) ++to;
      const auto replaced = static_cast<std::int32_t>(to - from);
      const auto at = static_cast<std::int32_t>(from - steps);
      if (replaced == 0) {
        if (size < k) secondRows[k] = secondRows[size];
        std::copy_backward(steps + at, steps + size, steps + size + 1);
        steps[at] = j;
        ++size;
      } else {
        secondRows[k] = steps[at];
        steps[at] = j;
        std::rotate(steps + at + 1, to, steps + size);
        size -= replaced - 1;
      }
    }
    while (size > 0 && y[rowOf(steps[size - 1])] > limit) --size;
    if (size > 0) firstEntries[f] = firstEntry(row, rowOf(steps[size - 1]), packing);
  }
}

// firstEntries[0 .. size) holds, of the first-set rows met so far, those whose s is above
// that of every later one: by falling second column and falling s. The first-set rows <= a
// second-set row are the ones met so far from some point on, and the highest s among them
// is that of the first such held row. Rows no longer held lie behind the held ones.
void sweepCoveredRows(const MatrixView& first, double* firstEntries, std::int32_t firstCount,
                      const MatrixView& second, double* secondRows, std::int32_t secondCount,
                      FirstPacking packing) {
  const double* firstY = columnData(first, 1);
  const double* y = columnData(second, 1);
  std::int32_t size = 0;
  std::int32_t f = 0;
  for (std::int32_t q = 0; q < secondCount; ++q) {
    const std::int32_t j = rowOf(secondRows[q]);
    for (;
         f < firstCount && !secondBeforeFirst(second, j, first, firstRow(firstEntries[f], packing));
         ++f) {
      const std::int64_t s = firstLowest(firstEntries[f], packing);
      while (size > 0 && firstLowest(firstEntries[size - 1], packing) <= s) --size;
      std::swap(firstEntries[size++], firstEntries[f]);
    }
    const double v = y[j];
    const double* const held =
        std::partition_point(firstEntries, firstEntries + size,
                             [&](double entry) { return firstY[firstRow(entry, packing)] > v; });
    if (held != firstEntries + size && firstLowest(*held, packing) > j) secondRows[q] = kNoRow;
  }
}
