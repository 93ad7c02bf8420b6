#include "dominance/across/dominated_rows.h"

#include <algorithm>
#include <utility>

#include "common/no_contraction.h"
#include "common/prefetch.h"
#include "dominance/across/merged_order.h"
#include "dominance/across/packed_staircase.h"
#include "dominance/dominance_rule.h"
#include "dominance/kernels/cross_cover.h"
#include "dominance/sorts/bit_width.h"
#include "dominance/sorts/digit_sort.h"
#include "dominance/sorts/packed_keys.h"
#include "dominance/sorts/row_order.h"
#include "dominance/tier_table.h"

namespace {

struct Halving {
  const MatrixView& first;
  const MatrixView& second;
  MarkPacking marks;
  SecondMarking secondMarks;
  MarkLimits limits;
  CrossCover pairs;
  double* firstList;  // the entry of rank r belongs at firstList[r]
};

// One side of a cover: which set its entries list, how to read their rows, and the mark they
// take when covered.
struct Side {
  CrossEntries entries;
  double mark;
  int rowBits;  // of entries.rowMask
  bool plain;   // the entries may become plain rows (nothing above the row is needed again)

  std::int32_t row(double entry) const { return crossRow(entry, entries.rowMask); }
  const double* column(std::int32_t col) const { return columnData(entries.set, col); }
};

// Moves the entries below `mark` to the start of [begin, begin + size); returns how many.
std::int32_t unmarkedFirst(double* begin, std::int32_t size, double mark) {
  std::int32_t live = 0;
  for (std::int32_t p = 0; p < size; ++p) {
    if (begin[p] < mark) std::swap(begin[live++], begin[p]);
  }
  return live;
}

struct Thirds {
  std::int32_t equalFrom;
  std::int32_t greaterFrom;
};

Thirds partitionByValue(double* entries, std::int32_t size, const Side& side, const double* values,
                        double pivot) {
  std::int32_t less = 0;
  std::int32_t greater = size;
  for (std::int32_t p = 0; p < greater;) {
    const double v = values[side.row(entries[p])];
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

// Sorts entries by their rows' values in a column (no NaN) without moving anything but the
// entries, which carry more than the row: radix passes on the leading bits in which the
// values' order keys differ, seven at a time, sending each entry to its bucket in exchange
// for the one there, at most two passes deep; buckets of a few entries, and what two passes
// leave tied, are sorted by comparing values. 1 KiB of stack a pass.
void sortByValue(double* entries, std::int32_t size, const Side& side, const double* values,
                 int passes) {
  const auto byValue = [&](double a, double b) {
    return values[side.row(a)] < values[side.row(b)];
  };
  if (size <= 32 || passes == 0) return std::sort(entries, entries + size, byValue);
  const auto keyOf = [&](double e) { return orderKey(values[side.row(e)]); };
  std::uint64_t common = ~std::uint64_t{0};
  std::uint64_t seen = 0;
  for (std::int32_t p = 0; p < size; ++p) {
    const std::uint64_t key = keyOf(entries[p]);
    common &= key;
    seen |= key;
  }
  const std::uint64_t differing = common ^ seen;
  if (differing == 0) return;
  constexpr int kDigitBits = 7;
  constexpr std::int32_t kBuckets = 1 << kDigitBits;
  const int top = highestBit(differing);
  const int shift = top >= kDigitBits - 1 ? top - (kDigitBits - 1) : 0;
  const auto digitOf = [&](double e) {
    return static_cast<std::int32_t>(keyOf(e) >> shift & (kBuckets - 1));
  };
  std::int32_t next[kBuckets] = {};
  std::int32_t ends[kBuckets];
  for (std::int32_t p = 0; p < size; ++p) ++next[digitOf(entries[p])];
  std::int32_t start = 0;
  for (std::int32_t b = 0; b < kBuckets; ++b) {
    const std::int32_t count = next[b];
    next[b] = start;
    start += count;
    ends[b] = start;
  }
  for (std::int32_t b = 0; b < kBuckets; ++b) {
    while (next[b] < ends[b]) {
      double entry = entries[next[b]];
      for (std::int32_t d = digitOf(entry); d != b; d = digitOf(entry)) {
        std::swap(entry, entries[next[d]++]);
      }
      entries[next[b]++] = entry;
    }
  }
  for (std::int32_t b = 0, from = 0; b < kBuckets; from = ends[b++]) {
    if (ends[b] - from > 1) sortByValue(entries + from, ends[b] - from, side, values, passes - 1);
  }
}

// Entries that may become plain rows are sorted on their own bits instead: each packed with
// the leading bits of its value's order key above the row (packed_keys.h), sorted by those,
// runs tying there sorted by the values, and left as plain rows.
void sortByColumn(double* entries, std::int32_t size, const Side& side, std::int32_t col) {
  const double* values = side.column(col);
  if (!side.plain) return sortByValue(entries, size, side, values, 2);
  const Packing packing{side.rowBits, 64 - (53 - side.rowBits), side.entries.rowMask};
  for (std::int32_t p = 0; p < size; ++p) {
    if (p + kPrefetchAhead < size) prefetchRead(values + side.row(entries[p + kPrefetchAhead]));
    entries[p] = packedEntry(values, side.row(entries[p]), packing);
  }
  sortByHighDigits(entries, entries + size, packing.indexBits);
  for (std::int32_t from = 0; from < size;) {
    std::int32_t to = from + 1;
    while (to < size &&
           packedPrefix(entries[to], packing) == packedPrefix(entries[from], packing)) {
      ++to;
    }
    if (to - from > 1) {
      std::sort(entries + from, entries + to, [values, packing](double a, double b) {
        return values[packedRow(a, packing)] < values[packedRow(b, packing)];
      });
    }
    from = to;
  }
  for (std::int32_t p = 0; p < size; ++p) entries[p] = packedRow(entries[p], packing);
}

// The last three columns: with both groups sorted by the first of them, the points at or below
// a query there form a growing prefix, reduced to a staircase in the other two, whose packed
// steps turn back into plain rows at the end (points need nothing else).
void coverLastThreeColumns(const Side& points, double* pointList, std::int32_t pointCount,
                           const Side& queries, double* queryList, std::int32_t queryCount,
                           std::int32_t col) {
  sortByColumn(pointList, pointCount, points, col);
  sortByColumn(queryList, queryCount, queries, col);
  const double* px = points.column(col);
  const double* qx = queries.column(col);
  const double* qy = queries.column(col + 1);
  const double* qz = queries.column(col + 2);
  const Packing packing{points.rowBits, 64 - (53 - points.rowBits), points.entries.rowMask};
  PackedStaircase steps{points.column(col + 1), points.column(col + 2), packing, pointList};
  std::int32_t p = 0;
  for (std::int32_t q = 0; q < queryCount; ++q) {
    const std::int32_t row = queries.row(queryList[q]);
    for (; p < pointCount; ++p) {
      const std::int32_t point = points.row(pointList[p]);
      if (px[point] > qx[row]) break;
      steps.add(p, point);
    }
    if (steps.covers(qy[row], qz[row])) queryList[q] += queries.mark;
  }
  for (std::int32_t t = 0; t < pointCount; ++t) pointList[t] = packedRow(pointList[t], packing);
}

// Marks every query entry whose row some point entry's row is <= in every column from `col`
// on (the caller guarantees the columns before); at least three columns from `col` on. The
// points need nothing but their rows, and may end as plain rows. Splitting
// the queries at their median in `col` leaves three smaller problems: points and queries below it,
// the same above, and the points at or below it against the queries at or above it, which meet the
// column already and go on with the next. The first two nest on at most half of the queries; the
// third continues in this call, so the nesting is at most log2 of the queries. Both groups are
// permuted.
void cover(const Halving& h, const Side& points, double* pointList, std::int32_t pointCount,
           const Side& queries, double* queryList, std::int32_t queryCount, std::int32_t col) {
  const std::int32_t cols = queries.entries.set.cols;
  for (;; ++col) {
    queryCount = unmarkedFirst(queryList, queryCount, queries.mark);
    if (pointCount == 0 || queryCount == 0) return;
    if (std::int64_t{pointCount} * queryCount <= h.limits.coverPairs) {
      return h.pairs(points.entries, pointList, pointCount, queries.entries, queryList, queryCount,
                     col, queries.mark);
    }
    if (col == cols - 3) {
      return coverLastThreeColumns(points, pointList, pointCount, queries, queryList, queryCount,
                                   col);
    }
    const double* pointValues = points.column(col);
    const double* queryValues = queries.column(col);
    double* const median = queryList + queryCount / 2;
    std::nth_element(queryList, median, queryList + queryCount, [&](double a, double b) {
      return queryValues[queries.row(a)] < queryValues[queries.row(b)];
    });
    const double pivot = queryValues[queries.row(*median)];
    const Thirds p = partitionByValue(pointList, pointCount, points, pointValues, pivot);
    const Thirds q = partitionByValue(queryList, queryCount, queries, queryValues, pivot);
    cover(h, points, pointList, p.equalFrom, queries, queryList, q.equalFrom, col);
    cover(h, points, pointList + p.greaterFrom, pointCount - p.greaterFrom, queries,
          queryList + q.greaterFrom, queryCount - q.greaterFrom, col);
    pointCount = p.greaterFrom;
    queryList += q.equalFrom;
    queryCount -= q.equalFrom;
  }
}

// Puts entries back at the place their rank names, each swap settling one for good.
void restoreOrder(const Halving& h, double* entries, std::int32_t count) {
  const auto from = static_cast<std::int32_t>(entries - h.firstList);
  for (std::int32_t p = from; p < from + count; ++p) {
    for (std::int32_t r = markedRank(h.firstList[p], h.marks); r != p;
         r = markedRank(h.firstList[p], h.marks)) {
      std::swap(h.firstList[p], h.firstList[r]);
    }
  }
}

// A short run of the merged order taken in that order: a first-set row meets the second-set
// rows before it, a second-set row the first-set rows before it, all <= in the first column.
void settleRun(const Halving& h, double* firstEntries, std::int32_t firstCount, double* secondRows,
               std::int32_t secondCount) {
  const MarkPacking marks = h.marks;
  const double secondMark = h.secondMarks.mark;
  std::int32_t f = 0;
  for (std::int32_t k = 0; k <= secondCount; ++k) {
    const std::int32_t j = k < secondCount ? rowOf(secondRows[k]) : 0;
    for (; f < firstCount &&
           (k == secondCount ||
            !secondBeforeFirst(h.second, j, h.first, markedRow(firstEntries[f], marks)));
         ++f) {
      if (isMarked(firstEntries[f], marks)) continue;
      const std::int32_t row = markedRow(firstEntries[f], marks);
      for (std::int32_t q = 0; q < k; ++q) {
        if (secondRows[q] < secondMark &&
            rowAtMostAcross(h.second, rowOf(secondRows[q]), h.first, row, 1)) {
          firstEntries[f] += marks.mark;
          break;
        }
      }
    }
    if (k == secondCount || !(secondRows[k] < secondMark)) continue;
    for (std::int32_t p = 0; p < f; ++p) {
      if (!isMarked(firstEntries[p], marks) &&
          rowAtMostAcross(h.first, markedRow(firstEntries[p], marks), h.second, j, 1)) {
        secondRows[k] += secondMark;
        break;
      }
    }
  }
}

// Both lists in sorted order (the first-set entries by rank), halved at the middle of their
// merged order. A first-set row of the second half may be dominated by a second-set row of the
// first half, which is <= it in the first column; a second-set row of the second half may fall
// to a first-set row of the first half. The second half's own rows fall only to its
// undominated first-set rows, so it is settled after the first half's second-set rows have
// marked its first-set rows, and the first half's first-set rows are settled by then: all that
// dominates them comes before them. Nesting: log2 of both counts, plus the covers'.
void halve(const Halving& h, double* firstEntries, std::int32_t firstCount, double* secondRows,
           std::int32_t secondCount) {
  if (firstCount == 0 || secondCount == 0) return;
  if (std::int64_t{firstCount} * secondCount <= h.limits.leafPairs) {
    return settleRun(h, firstEntries, firstCount, secondRows, secondCount);
  }
  // How many first-set rows lie in the first half: the lowest count at which the second-set
  // row just before the split comes before the next first-set row.
  const auto half = static_cast<std::int32_t>((std::int64_t{firstCount} + secondCount) / 2);
  std::int32_t low = half > secondCount ? half - secondCount : 0;
  std::int32_t high = half < firstCount ? half : firstCount;
  while (low < high) {
    const std::int32_t mid = low + (high - low) / 2;
    const std::int32_t previous = rowOf(secondRows[half - mid - 1]);
    if (secondBeforeFirst(h.second, previous, h.first, markedRow(firstEntries[mid], h.marks))) {
      high = mid;
    } else {
      low = mid + 1;
    }
  }
  const std::int32_t firstHalf = low;
  const std::int32_t secondHalf = half - low;
  // The first-set rows of the second half keep their ranks through the cover that marks them;
  // those of the first half are not ordered again.
  const Side firstSide{{h.first, h.marks.indexMask}, h.marks.mark, h.marks.indexBits, false};
  const Side firstPoints{{h.first, h.marks.indexMask}, h.marks.mark, h.marks.indexBits, true};
  const Side secondSide{
      {h.second, h.secondMarks.rowMask}, h.secondMarks.mark, h.secondMarks.rowBits, true};
  halve(h, firstEntries, firstHalf, secondRows, secondHalf);
  // A second-set row that fell dominates no first-set row (dominance_rule.h).
  const std::int32_t dominating = unmarkedFirst(secondRows, secondHalf, h.secondMarks.mark);
  cover(h, secondSide, secondRows, dominating, firstSide, firstEntries + firstHalf,
        firstCount - firstHalf, 1);
  restoreOrder(h, firstEntries + firstHalf, firstCount - firstHalf);
  halve(h, firstEntries + firstHalf, firstCount - firstHalf, secondRows + secondHalf,
        secondCount - secondHalf);
  const std::int32_t undominated = unmarkedFirst(firstEntries, firstHalf, h.marks.mark);
  cover(h, firstPoints, firstEntries, undominated, secondSide, secondRows + secondHalf,
        secondCount - secondHalf, 1);
}

}  // namespace

MarkLimits defaultMarkLimits() {
  return {256, 65536};
}

void markDominatedRows(Tier tier, const MatrixView& first, double* firstEntries,
                       std::int32_t firstCount, const MatrixView& second, double* secondRows,
                       std::int32_t secondCount, MarkPacking marks, SecondMarking secondMarks,
                       MarkLimits limits) {
  const Halving h{first, second, marks, secondMarks, limits, crossCoverFor(tier), firstEntries};
  halve(h, firstEntries, firstCount, secondRows, secondCount);
}
