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
//   pointWeight(e)           what a point teaches, as a double: the lower the more
//   learn(q, weight)         a query meets a point of that weight
// Included by the .cpp files of this folder only.

#include <algorithm>
#include <cstdint>

#include "common/matrix_view.h"
#include "dominance/across/corner_staircase.h"

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

// The most steps the sweep of the last two columns keeps before it leaves the rest to the
// split; bounds the shifting each new step costs.
constexpr std::int32_t kSweptSteps = 256;

// The last two columns by one sweep: points and queries sorted by column `col`, each query
// meets the points <= it there, reduced to a staircase in column col + 1 and weight, whose
// step of lowest weight among those <= the query in col + 1 is all it needs. Returns false,
// having taught the queries met so far only what holds, when the staircase grows too long.
template <class Rule>
bool sweepLastTwoColumns(const Rule& rule, double* points, std::int32_t pointCount, double* queries,
                         std::int32_t queryCount, std::int32_t col) {
  const double* pointKeys = columnData(rule.pointSet, col);
  const double* queryKeys = columnData(rule.querySet, col);
  const double* pointValues = columnData(rule.pointSet, col + 1);
  const double* queryValues = columnData(rule.querySet, col + 1);
  std::sort(points, points + pointCount, [&](double a, double b) {
    return pointKeys[rule.pointRow(a)] < pointKeys[rule.pointRow(b)];
  });
  std::sort(queries, queries + queryCount, [&](double a, double b) {
    return queryKeys[rule.queryRow(a)] < queryKeys[rule.queryRow(b)];
  });
  auto steps = cornerStaircase([&](double e) { return pointValues[rule.pointRow(e)]; },
                               [&](double e) { return rule.pointWeight(e); }, points);
  std::int32_t p = 0;
  for (std::int32_t q = 0; q < queryCount; ++q) {
    const std::int32_t row = rule.queryRow(queries[q]);
    for (; p < pointCount && pointKeys[rule.pointRow(points[p])] <= queryKeys[row]; ++p) {
      if (steps.size == kSweptSteps) return false;
      steps.add(p);
    }
    const double* const lowest = steps.lowestUpTo(queryValues[row]);
    if (lowest != nullptr) rule.learn(queries[q], rule.pointWeight(*lowest));
  }
  return true;
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
    if (col + 2 == rule.querySet.cols &&
        sweepLastTwoColumns(rule, points, pointCount, queries, queryCount, col)) {
      return;
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
