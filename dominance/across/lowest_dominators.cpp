#include "dominance/across/lowest_dominators.h"

#include "common/no_contraction.h"
#include "dominance/across/merged_order.h"
#include "dominance/across/split_columns.h"
#include "dominance/dominance_rule.h"

namespace {

// Second-set rows as points, each weighing its own index; first-set entries as queries,
// keeping the lowest weight they meet.
struct LowestRule {
  const MatrixView& pointSet;
  const MatrixView& querySet;
  FirstPacking packing;
  std::int64_t leafPairs;

  std::int32_t pointRow(double entry) const { return rowOf(entry); }
  std::int32_t queryRow(double entry) const { return firstRow(entry, packing); }

  void lower(double& query, std::int64_t s) const {
    if (s < firstLowest(query, packing)) query = firstEntry(queryRow(query), s, packing);
  }

  void pairs(const double* points, std::int32_t pointCount, double* queries,
             std::int32_t queryCount, std::int32_t col) const {
    for (std::int32_t q = 0; q < queryCount; ++q) {
      const std::int32_t row = queryRow(queries[q]);
      std::int64_t lowest = firstLowest(queries[q], packing);
      for (std::int32_t p = 0; p < pointCount; ++p) {
        const std::int32_t point = rowOf(points[p]);
        if (point >= lowest) continue;
        bool atMost = true;
        for (std::int32_t k = col; k < querySet.cols; ++k) {
          atMost &= elementAt(pointSet, point, k) <= elementAt(querySet, row, k);
        }
        if (atMost) lowest = point;
      }
      lower(queries[q], lowest);
    }
  }

  void all(const double* points, std::int32_t pointCount, double* queries,
           std::int32_t queryCount) const {
    std::int64_t lowest = packing.none;
    for (std::int32_t p = 0; p < pointCount; ++p) {
      if (rowOf(points[p]) < lowest) lowest = rowOf(points[p]);
    }
    for (std::int32_t q = 0; q < queryCount; ++q) lower(queries[q], lowest);
  }

  std::int32_t settle(double*, std::int32_t queryCount) const { return queryCount; }
};

struct Divide {
  const MatrixView& first;
  const MatrixView& second;
  FirstPacking packing;
  LowestRule rule;
};

// Pair by pair, over every column: dominance here needs one column strictly lower.
void dominatePairs(const Divide& d, double* firstEntries, std::int32_t firstCount,
                   const double* secondRows, std::int32_t secondCount) {
  for (std::int32_t f = 0; f < firstCount; ++f) {
    const std::int32_t row = firstRow(firstEntries[f], d.packing);
    std::int64_t lowest = firstLowest(firstEntries[f], d.packing);
    for (std::int32_t p = 0; p < secondCount; ++p) {
      const std::int32_t point = rowOf(secondRows[p]);
      if (point >= lowest) continue;
      const PairVerdict verdict = compareRows(d.first, row, d.second, point, d.first.cols);
      if (verdict.firstGreaterOrEqual && !verdict.allEqual) lowest = point;
    }
    d.rule.lower(firstEntries[f], lowest);
  }
}

// Both lists sorted: the first half of their merged order dominates nothing in the second
// half, so the halves are settled apart, and then the second-set rows of the first half meet
// the first-set rows of the second half, which every one of them precedes: <= in the first
// column, and not equal to any, so <= in the other columns means dominating.
void divideMerged(const Divide& d, double* firstEntries, std::int32_t firstCount,
                  double* secondRows, std::int32_t secondCount) {
  if (firstCount == 0 || secondCount == 0) return;
  if (std::int64_t{firstCount} * secondCount <= d.rule.leafPairs) {
    return dominatePairs(d, firstEntries, firstCount, secondRows, secondCount);
  }
  // How many first-set rows lie in the first half: the lowest count at which the second-set
  // row just before the split comes before the next first-set row.
  const std::int32_t half = static_cast<std::int32_t>((std::int64_t{firstCount} + secondCount) / 2);
  std::int32_t low = half > secondCount ? half - secondCount : 0;
  std::int32_t high = half < firstCount ? half : firstCount;
  while (low < high) {
    const std::int32_t mid = low + (high - low) / 2;
    const std::int32_t previous = rowOf(secondRows[half - mid - 1]);
    if (secondBeforeFirst(d.second, previous, d.first, firstRow(firstEntries[mid], d.packing))) {
      high = mid;
    } else {
      low = mid + 1;
    }
  }
  const std::int32_t firstHalf = low;
  const std::int32_t secondHalf = half - low;
  divideMerged(d, firstEntries, firstHalf, secondRows, secondHalf);
  divideMerged(d, firstEntries + firstHalf, firstCount - firstHalf, secondRows + secondHalf,
               secondCount - secondHalf);
  splitByColumns(d.rule, secondRows, secondHalf, firstEntries + firstHalf, firstCount - firstHalf,
                 1);
}

}  // namespace

void findLowestDominators(const MatrixView& first, double* firstEntries, std::int32_t firstCount,
                          const MatrixView& second, double* secondRows, std::int32_t secondCount,
                          FirstPacking packing, std::int64_t leafPairs) {
  const Divide d{first, second, packing, LowestRule{second, first, packing, leafPairs}};
  divideMerged(d, firstEntries, firstCount, secondRows, secondCount);
}
