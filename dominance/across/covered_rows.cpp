#include "dominance/across/covered_rows.h"

#include <utility>

#include "common/no_contraction.h"
#include "dominance/across/merged_order.h"
#include "dominance/across/split_columns.h"
#include "dominance/dominance_rule.h"

namespace {

// First-set entries as points, each weighing its s; second-set rows as queries, which fall
// on meeting a weight above their own index and then have nothing more to learn.
struct CoverRule {
  const MatrixView& pointSet;
  const MatrixView& querySet;
  FirstPacking packing;
  std::int64_t leafPairs;

  std::int32_t pointRow(double entry) const { return firstRow(entry, packing); }
  std::int32_t queryRow(double entry) const { return rowOf(entry); }

  double pointWeight(double entry) const {
    return -static_cast<double>(firstLowest(entry, packing));
  }
  void learn(double& query, double weight) const {
    if (-weight > rowOf(query)) query = kNoRow;
  }

  void pairs(const double* points, std::int32_t pointCount, double* queries,
             std::int32_t queryCount, std::int32_t col) const {
    for (std::int32_t q = 0; q < queryCount; ++q) {
      const std::int32_t row = rowOf(queries[q]);
      for (std::int32_t p = 0; p < pointCount; ++p) {
        if (firstLowest(points[p], packing) <= row) continue;
        const std::int32_t point = pointRow(points[p]);
        bool atMost = true;
        for (std::int32_t k = col; k < querySet.cols; ++k) {
          atMost &= elementAt(pointSet, point, k) <= elementAt(querySet, row, k);
        }
        if (atMost) {
          queries[q] = kNoRow;
          break;
        }
      }
    }
  }

  void all(const double* points, std::int32_t pointCount, double* queries,
           std::int32_t queryCount) const {
    std::int64_t highest = -1;
    for (std::int32_t p = 0; p < pointCount; ++p) {
      const std::int64_t s = firstLowest(points[p], packing);
      if (s > highest) highest = s;
    }
    for (std::int32_t q = 0; q < queryCount; ++q) {
      if (rowOf(queries[q]) < highest) queries[q] = kNoRow;
    }
  }

  std::int32_t settle(double* queries, std::int32_t queryCount) const {
    std::int32_t live = 0;
    for (std::int32_t q = 0; q < queryCount; ++q) {
      if (queries[q] >= 0.0) std::swap(queries[live++], queries[q]);
    }
    return live;
  }
};

// Across halves, the first-set rows of the first half meet the second-set rows of the
// second, which they all come before, so <= in the first column.
struct CoverStep {
  CoverRule rule;

  void pairs(const double* firstEntries, std::int32_t firstCount, double* secondRows,
             std::int32_t secondCount) const {
    secondCount = rule.settle(secondRows, secondCount);
    rule.pairs(firstEntries, firstCount, secondRows, secondCount, 0);
  }

  void cross(double* firstEntries, std::int32_t, std::int32_t firstHalf, double* secondRows,
             std::int32_t secondCount, std::int32_t secondHalf) const {
    splitByColumns(rule, firstEntries, firstHalf, secondRows + secondHalf, secondCount - secondHalf,
                   1);
  }
};

}  // namespace

void dropCoveredRows(const MatrixView& first, double* firstEntries, std::int32_t firstCount,
                     const MatrixView& second, double* secondRows, std::int32_t secondCount,
                     FirstPacking packing, std::int64_t leafPairs) {
  const CoverStep step{CoverRule{first, second, packing, leafPairs}};
  halveMergedOrder(step, first, firstEntries, firstCount, second, secondRows, secondCount, packing,
                   leafPairs);
}
