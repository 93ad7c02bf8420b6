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

  double pointWeight(double entry) const { return entry; }
  void learn(double& query, double weight) const { lower(query, rowOf(weight)); }

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

// Pair by pair, over every column: dominance here needs one column strictly lower. Across
// halves, the second-set rows of the first half meet the first-set rows of the second, which
// they all come before: not equal to any, so <= in the other columns means dominating.
struct LowestStep {
  const MatrixView& first;
  const MatrixView& second;
  LowestRule rule;

  void pairs(double* firstEntries, std::int32_t firstCount, const double* secondRows,
             std::int32_t secondCount) const {
    for (std::int32_t f = 0; f < firstCount; ++f) {
      const std::int32_t row = rule.queryRow(firstEntries[f]);
      std::int64_t lowest = firstLowest(firstEntries[f], rule.packing);
      for (std::int32_t p = 0; p < secondCount; ++p) {
        const std::int32_t point = rowOf(secondRows[p]);
        if (point >= lowest) continue;
        const PairVerdict verdict = compareRows(first, row, second, point, first.cols);
        if (verdict.firstGreaterOrEqual && !verdict.allEqual) lowest = point;
      }
      rule.lower(firstEntries[f], lowest);
    }
  }

  void cross(double* firstEntries, std::int32_t firstCount, std::int32_t firstHalf,
             double* secondRows, std::int32_t, std::int32_t secondHalf) const {
    splitByColumns(rule, secondRows, secondHalf, firstEntries + firstHalf, firstCount - firstHalf,
                   1);
  }
};

}  // namespace

void findLowestDominators(const MatrixView& first, double* firstEntries, std::int32_t firstCount,
                          const MatrixView& second, double* secondRows, std::int32_t secondCount,
                          FirstPacking packing, std::int64_t leafPairs) {
  const LowestStep step{first, second, LowestRule{second, first, packing, leafPairs}};
  halveMergedOrder(step, first, firstEntries, firstCount, second, secondRows, secondCount, packing,
                   leafPairs);
}
