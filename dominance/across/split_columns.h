#ifndef DOMINANCE_ACROSS_SPLIT_COLUMNS_H
#define DOMINANCE_ACROSS_SPLIT_COLUMNS_H

// Offline dominance queries between two lists: every query entry learns of the point entries
// whose rows are <= its row in every column from `col` on (the caller guarantees the columns
// before). A Rule says what the lists hold and what a query learns:
//   pointSet, querySet      the matrices the rows come from
//   pointRow(e), queryRow(e) the row an entry lists
//   leafPairs                groups with at most this many pairs are compared pair by pair
//   pairs(p, np, q, nq, col) pair by pair, columns col .. cols - 1
//   all(p, np, q, nq)        every point meets every query
//   settle(q, nq)            moves queries with nothing left to learn behind the others and
//                            returns how many remain
// Included by the .cpp files of this folder only.

#include <algorithm>
#include <cstdint>

#include "common/matrix_view.h"

namespace {

struct Thirds {
  std::int32_t equalFrom;
  std::int32_t greaterFrom;
};

template <class RowOf>
Thirds partitionByValue(double* entries, std::int32_t size, const double* values, double pivot,
                        RowOf rowOf) {
  std::int32_t less = 0;
  std::int32_t greater = size;
  for (std::int32_t p = 0; p < greater;) {
    const double v = values[rowOf(entries[p])];
    if (v < pivot) {
      std::swap(entries[less++], entries[p++]);
    } else if (pivot < v) {
      std::swap(entries[--greater], entries[p]);
    } else {
      ++p;
    }
  }
  return {less, greater};
}

// Splitting the queries at their median in `col` leaves three smaller problems: points and
// queries below it, the same above, and the points at or below it against the queries at or
// above it, which meet the column already and go on with the next. The first two nest on at
// most half of the queries; the third continues in this call, so the nesting is at most
// log2 of the queries plus one.
template <class Rule>
void splitByColumns(const Rule& rule, double* points, std::int32_t pointCount, double* queries,
                    std::int32_t queryCount, std::int32_t col) {
  const auto pointRow = [&rule](double e) { return rule.pointRow(e); };
  const auto queryRow = [&rule](double e) { return rule.queryRow(e); };
  for (;; ++col) {
    queryCount = rule.settle(queries, queryCount);
    if (pointCount == 0 || queryCount == 0) return;
    if (col == rule.querySet.cols) return rule.all(points, pointCount, queries, queryCount);
    if (std::int64_t{pointCount} * queryCount <= rule.leafPairs) {
      return rule.pairs(points, pointCount, queries, queryCount, col);
    }
    const double* pointValues = columnData(rule.pointSet, col);
    const double* queryValues = columnData(rule.querySet, col);
    double* const median = queries + queryCount / 2;
    std::nth_element(queries, median, queries + queryCount, [&](double a, double b) {
      return queryValues[queryRow(a)] < queryValues[queryRow(b)];
    });
    const double pivot = queryValues[queryRow(*median)];
    const Thirds p = partitionByValue(points, pointCount, pointValues, pivot, pointRow);
    const Thirds q = partitionByValue(queries, queryCount, queryValues, pivot, queryRow);
    splitByColumns(rule, points, p.equalFrom, queries, q.equalFrom, col);
    splitByColumns(rule, points + p.greaterFrom, pointCount - p.greaterFrom,
                   queries + q.greaterFrom, queryCount - q.greaterFrom, col);
    pointCount = p.greaterFrom;
    queries += q.equalFrom;
    queryCount -= q.equalFrom;
  }
}

}  // namespace

#endif
