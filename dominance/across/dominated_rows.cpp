#include "dominance/across/dominated_rows.h"

#include <algorithm>
#include <utility>

#include "common/no_contraction.h"
#include "common/prefetch.h"
#include "dominance/across/merged_order.h"
#include "dominance/dominance_rule.h"
#include "dominance/fronts/packed_staircase.h"
#include "dominance/kernels/cross_cover/cross_cover.h"
#include "dominance/sorts/bit_width.h"
#include "dominance/sorts/index_slots.h"
#include "dominance/sorts/packed_keys.h"
#include "dominance/sorts/row_order.h"
#include "dominance/tier_table.h"

namespace {

// Steps that need tables only while they run keep them out of the frames that stay on the
// stack through the nesting.
#if defined(_MSC_VER)
#define ACROSS_NOINLINE __declspec(noinline)
#elif defined(__GNUC__)
#define ACROSS_NOINLINE __attribute__((noinline))
#else
#define ACROSS_NOINLINE
#endif

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

struct Halving {
  const MatrixView& first;
  const MatrixView& second;
  MarkPacking marks;
  SecondMarking secondMarks;
  MarkLimits limits;
  CrossCover pairs;
  double* firstList;  // the entry of rank r belongs at firstList[r]
  // The first-set rows marked keep their ranks through the cover that marks them; as points
  // they are not ordered again.
  Side firstMarked;
  Side firstPoints;
  Side secondSide;
  OpenColumns everyColumn;
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

// Groups are sorted by a column's values (no NaN) moving nothing but their entries, which may
// carry more than the row: radix passes on the leading bits in which the keys differ, six at a
// time, sending each entry to its bucket in exchange for the one there, a few passes deep;
// buckets of a few entries, and what the passes leave tied, are sorted by comparing values.
constexpr int kDigitBits = 6;
constexpr std::int32_t kBuckets = 1 << kDigitBits;

// One radix pass: entries into buckets by the digit from `shift`; `ends` receives where each
// bucket ends.
template <class KeyOf>
ACROSS_NOINLINE void distributeByDigit(double* entries, std::int32_t size, KeyOf keyOf, int shift,
                                       std::int32_t* ends) {
  const auto digitOf = [&](double e) {
    return static_cast<std::int32_t>(keyOf(e) >> shift & (kBuckets - 1));
  };
  std::int32_t next[kBuckets] = {};
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
}

// Sorts entries by keyOf (an unsigned key that orders as they should), radix passes on the
// leading bits in which the keys differ, then `before` for buckets of a few entries and for
// what `passes` passes leave tied.
template <class KeyOf, class Before>
void sortByKey(double* entries, std::int32_t size, KeyOf keyOf, Before before, int passes) {
  if (size <= 32 || passes == 0) return std::sort(entries, entries + size, before);
  std::uint64_t common = ~std::uint64_t{0};
  std::uint64_t seen = 0;
  for (std::int32_t p = 0; p < size; ++p) {
    const std::uint64_t key = keyOf(entries[p]);
    common &= key;
    seen |= key;
  }
  const std::uint64_t differing = common ^ seen;
  if (differing == 0) return std::sort(entries, entries + size, before);
  const int top = highestBit(differing);
  std::int32_t ends[kBuckets];
  distributeByDigit(entries, size, keyOf, top >= kDigitBits - 1 ? top - (kDigitBits - 1) : 0, ends);
  for (std::int32_t b = 0, from = 0; b < kBuckets; from = ends[b++]) {
    if (ends[b] - from > 1) sortByKey(entries + from, ends[b] - from, keyOf, before, passes - 1);
  }
}

// Entries that may become plain rows are sorted on their own bits instead: each packed with
// the leading bits of its value's order key above the row (packed_keys.h), sorted by those,
// and left as plain rows. Three passes of six bits at most, and values compared past them.
void sortByColumn(double* entries, std::int32_t size, const Side& side, std::int32_t col) {
  const double* values = side.column(col);
  if (!side.plain) {
    return sortByKey(
        entries, size, [&](double e) { return orderKey(values[side.row(e)]); },
        [&](double a, double b) { return values[side.row(a)] < values[side.row(b)]; }, 2);
  }
  const Packing packing{side.rowBits, 64 - (53 - side.rowBits), side.entries.rowMask};
  for (std::int32_t p = 0; p < size; ++p) {
    if (p + kPrefetchAhead < size) prefetchRead(values + side.row(entries[p + kPrefetchAhead]));
    entries[p] = packedEntry(values, side.row(entries[p]), packing);
  }
  sortByKey(
      entries, size,
      [packing](double e) { return static_cast<std::uint64_t>(packedPrefix(e, packing)); },
      // The packed leading bits order like the values: only entries tying there read them.
      [values, packing](double a, double b) {
        const std::int64_t first = packedPrefix(a, packing);
        const std::int64_t second = packedPrefix(b, packing);
        return first != second ? first < second
                               : values[packedRow(a, packing)] < values[packedRow(b, packing)];
      },
      3);
  for (std::int32_t p = 0; p < size; ++p) entries[p] = packedRow(entries[p], packing);
}

// The last three open columns x, y and z: with both groups sorted by x, the points at or
// below a query there form a growing prefix, reduced to a staircase in y and z, whose packed
// steps turn back into plain rows at the end (points need nothing else).
ACROSS_NOINLINE void coverLastThreeColumns(const Side& points, double* pointList,
                                           std::int32_t pointCount, const Side& queries,
                                           double* queryList, std::int32_t queryCount,
                                           std::int32_t x, std::int32_t y, std::int32_t z) {
  sortByColumn(pointList, pointCount, points, x);
  sortByColumn(queryList, queryCount, queries, x);
  const double* px = points.column(x);
  const double* qx = queries.column(x);
  const double* qy = queries.column(y);
  const double* qz = queries.column(z);
  const Packing packing{points.rowBits, 64 - (53 - points.rowBits), points.entries.rowMask};
  PackedStaircase steps{points.column(y), points.column(z), packing, pointList};
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

// The last two open columns: the same prefix, whose lowest y decides.
ACROSS_NOINLINE void coverLastTwoColumns(const Side& points, double* pointList,
                                         std::int32_t pointCount, const Side& queries,
                                         double* queryList, std::int32_t queryCount, std::int32_t x,
                                         std::int32_t y) {
  sortByColumn(pointList, pointCount, points, x);
  sortByColumn(queryList, queryCount, queries, x);
  const double* px = points.column(x);
  const double* py = points.column(y);
  const double* qx = queries.column(x);
  const double* qy = queries.column(y);
  double lowest = 0.0;
  std::int32_t p = 0;
  for (std::int32_t q = 0; q < queryCount; ++q) {
    const std::int32_t row = queries.row(queryList[q]);
    for (; p < pointCount && px[points.row(pointList[p])] <= qx[row]; ++p) {
      const double v = py[points.row(pointList[p])];
      lowest = p == 0 || v < lowest ? v : lowest;
    }
    if (p > 0 && lowest <= qy[row]) queryList[q] += queries.mark;
  }
}

// The last open column, or none: the lowest point decides, or every point covers.
void coverLastColumn(const Side& points, const double* pointList, std::int32_t pointCount,
                     const Side& queries, double* queryList, std::int32_t queryCount,
                     const OpenColumns& open, std::int32_t from) {
  if (from == open.count) {
    for (std::int32_t q = 0; q < queryCount; ++q) queryList[q] += queries.mark;
    return;
  }
  const std::int32_t col = open.at(from);
  const double* pointValues = points.column(col);
  const double* queryValues = queries.column(col);
  double lowest = pointValues[points.row(pointList[0])];
  for (std::int32_t p = 1; p < pointCount; ++p) {
    lowest = std::min(lowest, pointValues[points.row(pointList[p])]);
  }
  for (std::int32_t q = 0; q < queryCount; ++q) {
    if (lowest <= queryValues[queries.row(queryList[q])]) queryList[q] += queries.mark;
  }
}

// Splits both groups by the queries' median in `col`: below it, equal to it, above it.
ACROSS_NOINLINE void splitAtMedian(const Side& points, double* pointList, std::int32_t pointCount,
                                   const Side& queries, double* queryList, std::int32_t queryCount,
                                   std::int32_t col, Thirds& p, Thirds& q) {
  const double* pointValues = points.column(col);
  const double* queryValues = queries.column(col);
  double* const median = queryList + queryCount / 2;
  std::nth_element(queryList, median, queryList + queryCount, [&](double a, double b) {
    return queryValues[queries.row(a)] < queryValues[queries.row(b)];
  });
  const double pivot = queryValues[queries.row(*median)];
  p = partitionByValue(pointList, pointCount, points, pointValues, pivot);
  q = partitionByValue(queryList, queryCount, queries, queryValues, pivot);
}

// Marks every query entry whose row some point entry's row is <= in the open columns from
// position `from` on (the caller guarantees the others). The points need nothing but their
// rows, and may end as plain rows. Splitting the queries at their median in the column at
// `from` leaves three smaller problems: points and queries below it, the same above, and the
// points at or below it against the queries at or above it, which meet the column already and
// go on with the next. The first two nest on at most half of the queries; the third continues
// in this call, so the nesting is at most log2 of the queries. Both groups are permuted.
void cover(const Halving& h, const Side& points, double* pointList, std::int32_t pointCount,
           const Side& queries, double* queryList, std::int32_t queryCount, const OpenColumns& open,
           std::int32_t from) {
  for (;; ++from) {
    queryCount = unmarkedFirst(queryList, queryCount, queries.mark);
    if (pointCount == 0 || queryCount == 0) return;
    const std::int32_t left = open.count - from;
    if (left <= 1) {
      return coverLastColumn(points, pointList, pointCount, queries, queryList, queryCount, open,
                             from);
    }
    if (std::int64_t{pointCount} * queryCount <= h.limits.coverPairs) {
      return h.pairs(points.entries, pointList, pointCount, queries.entries, queryList, queryCount,
                     open, from, queries.mark);
    }
    if (left == 2) {
      return coverLastTwoColumns(points, pointList, pointCount, queries, queryList, queryCount,
                                 open.at(from), open.at(from + 1));
    }
    if (left == 3) {
      return coverLastThreeColumns(points, pointList, pointCount, queries, queryList, queryCount,
                                   open.at(from), open.at(from + 1), open.at(from + 2));
    }
    Thirds p;
    Thirds q;
    splitAtMedian(points, pointList, pointCount, queries, queryList, queryCount, open.at(from), p,
                  q);
    cover(h, points, pointList, p.equalFrom, queries, queryList, q.equalFrom, open, from);
    cover(h, points, pointList + p.greaterFrom, pointCount - p.greaterFrom, queries,
          queryList + q.greaterFrom, queryCount - q.greaterFrom, open, from);
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
  halve(h, firstEntries, firstHalf, secondRows, secondHalf);
  // A second-set row that fell dominates no first-set row (dominance_rule.h).
  const std::int32_t dominating = unmarkedFirst(secondRows, secondHalf, h.secondMarks.mark);
  cover(h, h.secondSide, secondRows, dominating, h.firstMarked, firstEntries + firstHalf,
        firstCount - firstHalf, h.everyColumn, 1);
  restoreOrder(h, firstEntries + firstHalf, firstCount - firstHalf);
  halve(h, firstEntries + firstHalf, firstCount - firstHalf, secondRows + secondHalf,
        secondCount - secondHalf);
  const std::int32_t undominated = unmarkedFirst(firstEntries, firstHalf, h.marks.mark);
  cover(h, h.firstPoints, firstEntries, undominated, h.secondSide, secondRows + secondHalf,
        secondCount - secondHalf, h.everyColumn, 1);
}

// Long fronts of five to eight columns are first split by a pivot's regions, as the within-set
// pass does (fronts/front_regions.cpp): a row's region is the set of columns, among the first
// eight, in which it is >= the pivot, and a row <= another lies in a region whose set is a
// subset of the other's. Each region is halved on its own, and meets only the regions below it.
constexpr std::int32_t kMaskColumns = 8;
constexpr std::int32_t kRegions = 1 << kMaskColumns;
constexpr std::int32_t kSampledRows = 128;  // of each set, for the pivot
constexpr std::int32_t kCandidates = 8;

struct Pivot {
  std::int32_t bits;
  double value[kMaskColumns];
};

unsigned regionOf(const MatrixView& m, std::int32_t row, const Pivot& pivot) {
  unsigned mask = 0;
  for (std::int32_t k = 0; k < pivot.bits; ++k) {
    mask |= (elementAt(m, row, k) >= pivot.value[k] ? 1u : 0u) << k;
  }
  return mask;
}

// Sample s of `samples` rows spread over a list.
template <class RowOf>
std::int32_t sampledRow(const double* list, std::int32_t count, std::int32_t s,
                        std::int32_t samples, RowOf rowOf) {
  return rowOf(list[std::int64_t{count} * s / samples]);
}

// Of a few sampled rows of either set near the middle of the fronts (lowest largest value on
// the samples' scale), the one whose regions leave the fewest pairs of sampled rows of the two
// sets in regions whose sets are subsets one of the other.
ACROSS_NOINLINE Pivot choosePivot(const Halving& h, const double* firstEntries,
                                  std::int32_t firstCount, const double* secondRows,
                                  std::int32_t secondCount) {
  const auto firstRowOf = [&h](double e) { return markedRow(e, h.marks); };
  const auto secondRowOf = [](double e) { return rowOf(e); };
  Pivot pivot{h.first.cols < kMaskColumns ? h.first.cols : kMaskColumns, {}};
  // Short lists (in tests) take fewer samples, each row at most once.
  const std::int32_t least = firstCount < secondCount ? firstCount : secondCount;
  const std::int32_t samples = least < kSampledRows ? least : kSampledRows;
  double low[kMaskColumns];
  double scale[kMaskColumns];
  for (std::int32_t k = 0; k < pivot.bits; ++k) {
    double lo = elementAt(h.first, sampledRow(firstEntries, firstCount, 0, samples, firstRowOf), k);
    double hi = lo;
    for (std::int32_t s = 0; s < samples; ++s) {
      const double u =
          elementAt(h.first, sampledRow(firstEntries, firstCount, s, samples, firstRowOf), k);
      const double v =
          elementAt(h.second, sampledRow(secondRows, secondCount, s, samples, secondRowOf), k);
      lo = std::min(lo, std::min(u, v));
      hi = std::max(hi, std::max(u, v));
    }
    low[k] = lo;
    // Infinite ranges give no scale; such columns then count for nothing.
    scale[k] = hi > lo && hi - lo < 1e300 ? 1.0 / (hi - lo) : 0.0;
  }
  // Candidates: sample number and set (second set from `samples` on), lowest heights first.
  std::int32_t candidates[kCandidates];
  double heights[kCandidates];
  std::int32_t found = 0;
  for (std::int32_t c = 0; c < 2 * samples; ++c) {
    const bool second = c >= samples;
    const MatrixView& m = second ? h.second : h.first;
    const std::int32_t row =
        second ? sampledRow(secondRows, secondCount, c - samples, samples, secondRowOf)
               : sampledRow(firstEntries, firstCount, c, samples, firstRowOf);
    double height = 0.0;
    for (std::int32_t k = 0; k < pivot.bits; ++k) {
      height = std::max(height, (elementAt(m, row, k) - low[k]) * scale[k]);
    }
    if (found == kCandidates && !(height < heights[found - 1])) continue;
    std::int32_t at = found < kCandidates ? found++ : kCandidates - 1;
    for (; at > 0 && height < heights[at - 1]; --at) {
      candidates[at] = candidates[at - 1];
      heights[at] = heights[at - 1];
    }
    candidates[at] = c;
    heights[at] = height;
  }
  std::int64_t fewest = -1;
  for (std::int32_t c = 0; c < found; ++c) {
    const bool second = candidates[c] >= samples;
    const MatrixView& m = second ? h.second : h.first;
    const std::int32_t row =
        second ? sampledRow(secondRows, secondCount, candidates[c] - samples, samples, secondRowOf)
               : sampledRow(firstEntries, firstCount, candidates[c], samples, firstRowOf);
    Pivot tried{pivot.bits, {}};
    for (std::int32_t k = 0; k < pivot.bits; ++k) tried.value[k] = elementAt(m, row, k);
    unsigned char firstRegions[kSampledRows];
    unsigned char secondRegions[kSampledRows];
    for (std::int32_t s = 0; s < samples; ++s) {
      firstRegions[s] = static_cast<unsigned char>(
          regionOf(h.first, sampledRow(firstEntries, firstCount, s, samples, firstRowOf), tried));
      secondRegions[s] = static_cast<unsigned char>(
          regionOf(h.second, sampledRow(secondRows, secondCount, s, samples, secondRowOf), tried));
    }
    std::int64_t pairs = 0;
    for (std::int32_t a = 0; a < samples; ++a) {
      for (std::int32_t b = 0; b < samples; ++b) {
        const unsigned x = firstRegions[a];
        const unsigned y = secondRegions[b];
        pairs += (x & ~y) == 0 || (y & ~x) == 0 ? 1 : 0;
      }
    }
    if (fewest < 0 || pairs < fewest) {
      fewest = pairs;
      pivot = tried;
    }
  }
  return pivot;
}

// Groups a list's rows by region, stably, as plain rows; `begin` receives where each region
// starts, begin[kRegions] == count. Two 32-bit slots per entry hold the rows meanwhile.
template <class RowOf>
ACROSS_NOINLINE void groupByRegion(const MatrixView& m, double* list, std::int32_t count,
                                   const Pivot& pivot, RowOf rowOf, std::int32_t* begin) {
  for (std::int32_t r = 0; r <= kRegions; ++r) begin[r] = 0;
  // Each slot i is written only after entry i, which covers it, has been read.
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t row = rowOf(list[i]);
    ++begin[regionOf(m, row, pivot) + 1];
    setSlot(list, i, static_cast<std::uint32_t>(row));
  }
  for (std::int32_t r = 0; r < kRegions; ++r) begin[r + 1] += begin[r];
  std::int32_t next[kRegions];
  for (std::int32_t r = 0; r < kRegions; ++r) next[r] = begin[r];
  for (std::int32_t i = 0; i < count; ++i) {
    const std::uint32_t row = slotAt(list, i);
    setSlot(list, count + next[regionOf(m, static_cast<std::int32_t>(row), pivot)]++, row);
  }
  for (std::int32_t i = 0; i < count; ++i) setSlot(list, i, slotAt(list, count + i));
  for (std::int32_t i = count - 1; i >= 0; --i) list[i] = slotAt(list, i);
}

// Regions in increasing order of their bits, so that every region below one is settled before
// it: its first-set rows are first marked by the second-set rows of the regions below, then it
// is halved, then its second-set rows meet the undominated first-set rows of the regions below.
// A row of a region below is under the pivot, so below the other row, in the columns that set
// apart the two regions: rows of two regions differ, so <= everywhere is dominance, and only
// the other columns are compared.
void markByRegions(const Halving& h, double* firstEntries, std::int32_t firstCount,
                   double* secondRows, std::int32_t secondCount) {
  const Pivot pivot = choosePivot(h, firstEntries, firstCount, secondRows, secondCount);
  std::int32_t firstBegin[kRegions + 1];
  std::int32_t secondBegin[kRegions + 1];
  groupByRegion(
      h.first, firstEntries, firstCount, pivot, [&h](double e) { return markedRow(e, h.marks); },
      firstBegin);
  for (std::int32_t p = 0; p < firstCount; ++p) {
    firstEntries[p] = markedEntry(rowOf(firstEntries[p]), p, h.marks);
  }
  groupByRegion(
      h.second, secondRows, secondCount, pivot, [](double e) { return rowOf(e); }, secondBegin);
  const auto regions = static_cast<unsigned>(1) << pivot.bits;
  for (unsigned r = 0; r < regions; ++r) {
    double* const first = firstEntries + firstBegin[r];
    const std::int32_t firstSize = firstBegin[r + 1] - firstBegin[r];
    double* const second = secondRows + secondBegin[r];
    const std::int32_t secondSize = secondBegin[r + 1] - secondBegin[r];
    // The proper subsets of r, r itself excluded.
    for (unsigned sub = (r - 1u) & r; firstSize > 0 && sub != r; sub = (sub - 1u) & r) {
      double* const points = secondRows + secondBegin[sub];
      const std::int32_t live =
          unmarkedFirst(points, secondBegin[sub + 1] - secondBegin[sub], h.secondMarks.mark);
      const OpenColumns open = columnsBesides(h.first.cols, r & ~sub);
      cover(h, h.secondSide, points, live, h.firstMarked, first, firstSize, open, 0);
      if (sub == 0) break;
    }
    restoreOrder(h, first, firstSize);
    halve(h, first, firstSize, second, secondSize);
    for (unsigned sub = (r - 1u) & r; secondSize > 0 && sub != r; sub = (sub - 1u) & r) {
      double* const points = firstEntries + firstBegin[sub];
      const std::int32_t undominated =
          unmarkedFirst(points, firstBegin[sub + 1] - firstBegin[sub], h.marks.mark);
      const OpenColumns open = columnsBesides(h.first.cols, r & ~sub);
      cover(h, h.firstPoints, points, undominated, h.secondSide, second, secondSize, open, 0);
      if (sub == 0) break;
    }
  }
}

}  // namespace

MarkLimits defaultMarkLimits() {
  return {256, 65536, 5, 4096};
}

void markDominatedRows(Tier tier, const MatrixView& first, double* firstEntries,
                       std::int32_t firstCount, const MatrixView& second, double* secondRows,
                       std::int32_t secondCount, MarkPacking marks, SecondMarking secondMarks,
                       MarkLimits limits) {
  const CrossEntries firstRows{first, marks.indexMask};
  const CrossEntries secondEntries{second, secondMarks.rowMask};
  const Halving h{first,
                  second,
                  marks,
                  secondMarks,
                  limits,
                  crossCoverFor(tier),
                  firstEntries,
                  {firstRows, marks.mark, marks.indexBits, false},
                  {firstRows, marks.mark, marks.indexBits, true},
                  {secondEntries, secondMarks.mark, secondMarks.rowBits, true},
                  everyColumn(first.cols)};
  if (first.cols >= limits.regionsFromColumns && first.cols <= kMaskColumns && firstCount > 0 &&
      secondCount > 0 && std::int64_t{firstCount} + secondCount >= limits.regionsFromRows) {
    return markByRegions(h, firstEntries, firstCount, secondRows, secondCount);
  }
  halve(h, firstEntries, firstCount, secondRows, secondCount);
}
