#ifndef DOMINANCE_ACROSS_MERGED_ORDER_H
#define DOMINANCE_ACROSS_MERGED_ORDER_H

#include <cstdint>

#include "common/matrix_view.h"
#include "dominance/across/first_entries.h"
#include "dominance/dominance_rule.h"

// The rowPrecedes order (sorts/row_order.h) taken over both sets, first-set rows first among equal
// ones: whether row `lower` of `second` comes before row `upper` of `first`, that is, is lower in
// the first column where they differ. A second-set row that dominates a first-set row comes
// before it, and one that a first-set row is <= everywhere, equal included, after it.
inline bool secondBeforeFirst(const MatrixView& second, std::int32_t lower, const MatrixView& first,
                              std::int32_t upper) {
  for (std::int32_t k = 0; k < first.cols; ++k) {
    const double x = elementAt(second, lower, k);
    const double y = elementAt(first, upper, k);
    if (x < y) return true;
    if (y < x) return false;
  }
  return false;
}

namespace {

// Both lists in sorted order, halved at the middle of their merged order. Within each half
// the step is taken again; across, only the rows of the first half can be <= rows of the
// second (every row of the first half is <= in the first column, and a first-set row equal
// to a second-set one comes first): step.cross(firstEntries, firstHalf, secondRows,
// secondHalf, split) gets the counts of each list in the first half. Groups of at most
// leafPairs pairs go to step.pairs whole. Each half is left permuted by its step; the
// nesting is log2 of both counts, plus the step's.
template <class Step>
void halveMergedOrder(const Step& step, const MatrixView& first, double* firstEntries,
                      std::int32_t firstCount, const MatrixView& second, double* secondRows,
                      std::int32_t secondCount, FirstPacking packing, std::int64_t leafPairs) {
  if (firstCount == 0 || secondCount == 0) return;
  if (std::int64_t{firstCount} * secondCount <= leafPairs) {
    return step.pairs(firstEntries, firstCount, secondRows, secondCount);
  }
  // How many first-set rows lie in the first half: the lowest count at which the second-set
  // row just before the split comes before the next first-set row.
  const auto half = static_cast<std::int32_t>((std::int64_t{firstCount} + secondCount) / 2);
  std::int32_t low = half > secondCount ? half - secondCount : 0;
  std::int32_t high = half < firstCount ? half : firstCount;
  while (low < high) {
    const std::int32_t mid = low + (high - low) / 2;
    const std::int32_t previous = rowOf(secondRows[half - mid - 1]);
    if (secondBeforeFirst(second, previous, first, firstRow(firstEntries[mid], packing))) {
      high = mid;
    } else {
      low = mid + 1;
    }
  }
  const std::int32_t firstHalf = low;
  const std::int32_t secondHalf = half - low;
  halveMergedOrder(step, first, firstEntries, firstHalf, second, secondRows, secondHalf, packing,
                   leafPairs);
  halveMergedOrder(step, first, firstEntries + firstHalf, firstCount - firstHalf, second,
                   secondRows + secondHalf, secondCount - secondHalf, packing, leafPairs);
  step.cross(firstEntries, firstCount, firstHalf, secondRows, secondCount, secondHalf);
}

}  // namespace

#endif
