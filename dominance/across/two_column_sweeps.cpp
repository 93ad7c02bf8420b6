#include "dominance/across/two_column_sweeps.h"

#include <algorithm>

#include "common/no_contraction.h"
#include "common/prefetch.h"
#include "dominance/across/merged_order.h"
#include "dominance/dominance_rule.h"

namespace {

// A binary heap of second-set rows in heap[0 .. size), lowest index on top: entries hold row
// indexes, which compare as the doubles they are.
void pushRow(double* heap, std::int32_t size, double row) {
  std::int32_t at = size;
  while (at > 0) {
    const std::int32_t parent = (at - 1) / 2;
    if (!(row < heap[parent])) break;
    heap[at] = heap[parent];
    at = parent;
  }
  heap[at] = row;
}

// Takes the top out of heap[0 .. size) and leaves it at heap[size - 1], just behind the heap.
void popRow(double* heap, std::int32_t size) {
  const double top = heap[0];
  const double last = heap[--size];
  std::int32_t at = 0;
  for (std::int32_t child = 1; child < size; child = 2 * at + 1) {
    if (child + 1 < size && heap[child + 1] < heap[child]) ++child;
    if (!(heap[child] < last)) break;
    heap[at] = heap[child];
    at = child;
  }
  heap[at] = last;
  heap[size] = top;
}

// Makes heap[0 .. size) a heap.
void makeHeap(double* heap, std::int32_t size) {
  for (std::int32_t from = size / 2 - 1; from >= 0; --from) {
    const double entry = heap[from];
    std::int32_t at = from;
    for (std::int32_t child = 2 * at + 1; child < size; child = 2 * at + 1) {
      if (child + 1 < size && heap[child + 1] < heap[child]) ++child;
      if (!(heap[child] < entry)) break;
      heap[at] = heap[child];
      at = child;
    }
    heap[at] = entry;
  }
}

// The most steps the staircase of second-set rows keeps before it turns into a heap: it
// bounds the shifting each new step costs.
constexpr std::int32_t kMostSteps = 64;

}  // namespace

// Every row of either set meets, in the sweep, only rows passed before it, and the merged
// order puts before a first-set row every second-set row that dominates it, and before a
// second-set row every first-set row <= it.
// - The steps, at the start of secondRows, hold passed second-set rows that no first-set row
//   is <= (only those may dominate a first-set row, see dominance_rule.h): by rising second
//   column and falling index, none beaten in both by another. Such a row is below the last
//   first-set row passed in the second column, the lowest passed; a first-set row to come is
//   lower still, so steps above it in that column are of no use again and leave from the end.
//   The last step left is then s: every step is <= the row and differs from it. Past
//   kMostSteps steps they become a heap, lowest index on top, whose rows above a first-set row
//   in the second column leave when they reach the top.
// - The held first-set rows, at the start of firstEntries, are those passed whose s is above
//   that of every row passed after them: by falling second column and falling s. The passed
//   rows <= a second-set row in the second column are the last ones, so the highest s among
//   them is that of the first such held row.
// Entries leaving either structure stay behind it, among the rows passed.
void sweepAcrossTwoColumns(const MatrixView& first, double* firstEntries, std::int32_t firstCount,
                           const MatrixView& second, double* secondRows, std::int32_t secondCount,
                           FirstPacking packing) {
  const double* firstX = columnData(first, 0);
  const double* firstY = columnData(first, 1);
  const double* x = columnData(second, 0);
  const double* y = columnData(second, 1);
  double* const steps = secondRows;
  double* const held = firstEntries;
  std::int32_t size = 0;
  bool heap = false;
  std::int32_t holding = 0;
  // The second column of the last first-set row passed, the lowest of all passed.
  double lowestPassed = 0.0;
  const auto passFirst = [&](std::int32_t f, std::int32_t row, double limit) {
    std::int64_t s = packing.none;
    if (heap) {
      while (size > 0 && y[rowOf(steps[0])] > limit) popRow(steps, size--);
      if (size > 0) s = rowOf(steps[0]);
    } else {
      while (size > 0 && y[rowOf(steps[size - 1])] > limit) --size;
      if (size > 0) s = rowOf(steps[size - 1]);
    }
    while (holding > 0 && firstLowest(held[holding - 1], packing) <= s) --holding;
    firstEntries[f] = held[holding];
    held[holding++] = firstEntry(row, s, packing);
    lowestPassed = limit;
  };
  // Row j of secondRows[k] joins the steps unless a step beats it in both; it then replaces
  // the steps it beats in both: one with the same second column just before, then those after
  // it with a higher index.
  const auto addStep = [&](std::int32_t k, double entry, std::int32_t j, double v) {
    if (heap) {
      secondRows[k] = secondRows[size];
      return pushRow(steps, size++, entry);
    }
    double* const after = std::upper_bound(
        steps, steps + size, v, [y](double value, double step) { return value < y[rowOf(step)]; });
    if (after != steps && rowOf(after[-1]) < j) return;
    double* from = after;
    if (from != steps && y[rowOf(from[-1])] == v) --from;
    double* to = after;
    while (to != steps + size && rowOf(*to) > j) ++to;
    const auto replaced = static_cast<std::int32_t>(to - from);
    const auto at = static_cast<std::int32_t>(from - steps);
    if (replaced > 0) {
      secondRows[k] = steps[at];
      steps[at] = entry;
      std::rotate(steps + at + 1, to, steps + size);
      size -= replaced - 1;
      return;
    }
    secondRows[k] = secondRows[size];
    if (size == kMostSteps) {
      makeHeap(steps, size);
      heap = true;
      return pushRow(steps, size++, entry);
    }
    std::copy_backward(steps + at, steps + size, steps + size + 1);
    steps[at] = entry;
    ++size;
  };
  std::int32_t f = 0;
  std::int32_t row = firstCount > 0 ? firstRow(firstEntries[0], packing) : 0;
  double ax = firstCount > 0 ? firstX[row] : 0.0;
  double ay = firstCount > 0 ? firstY[row] : 0.0;
  for (std::int32_t k = 0; k < secondCount; ++k) {
    if (k + kPrefetchAhead < secondCount) {
      const std::int32_t ahead = rowOf(secondRows[k + kPrefetchAhead]);
      prefetchRead(x + ahead);
      prefetchRead(y + ahead);
    }
    const double entry = secondRows[k];
    const std::int32_t j = rowOf(entry);
    const double bx = x[j];
    const double by = y[j];
    // The first-set rows that come before row j in the merged order: not after it in the
    // first column, and not after it in the second where the first ties.
    while (f < firstCount && (ax < bx || (ax == bx && !(by < ay)))) {
      passFirst(f, row, ay);
      if (++f == firstCount) break;
      if (f + kPrefetchAhead < firstCount) {
        const std::int32_t ahead = firstRow(firstEntries[f + kPrefetchAhead], packing);
        prefetchRead(firstX + ahead);
        prefetchRead(firstY + ahead);
      }
      row = firstRow(firstEntries[f], packing);
      ax = firstX[row];
      ay = firstY[row];
    }
    if (holding == 0 || by < lowestPassed) {
      addStep(k, entry, j, by);
    } else {
      const double* const lowest = std::partition_point(
          held, held + holding, [&](double e) { return firstY[firstRow(e, packing)] > by; });
      if (firstLowest(*lowest, packing) > j) secondRows[k] = -2.0 - j;
    }
  }
  for (; f < firstCount; ++f) {
    row = firstRow(firstEntries[f], packing);
    passFirst(f, row, firstY[row]);
  }
}

// A second-set row passed while below every first-set row passed is no first-set row's
// (dominance_rule.h), and one such row below a first-set row dominates it: it comes before it
// in the merged order. A first-set row passed that nothing dominates, below a second-set row,
// is <= it. So the lowest of each kind is all the sweep keeps.
std::int32_t markAcrossTwoColumns(const MatrixView& first, double* firstEntries,
                                  std::int32_t firstCount, const MatrixView& second,
                                  double* secondRows, std::int32_t secondCount,
                                  FirstPacking packing, std::int32_t most) {
  const double* firstX = columnData(first, 0);
  const double* firstY = columnData(first, 1);
  const double* x = columnData(second, 0);
  const double* y = columnData(second, 1);
  bool anyPassed = false;
  bool anyDominating = false;
  bool anyUndominated = false;
  double lowestPassed = 0.0;      // of the first-set rows passed: the last one's
  double lowestDominating = 0.0;  // of the second-set rows that may dominate
  double lowestUndominated = 0.0;
  std::int32_t dominated = 0;
  std::int32_t f = 0;
  const auto passFirst = [&](std::int32_t row, double ay) {
    if (anyDominating && lowestDominating <= ay) {
      firstEntries[f] = -2.0 - row;
      ++dominated;
    } else {
      lowestUndominated = ay;
      anyUndominated = true;
    }
    lowestPassed = ay;
    anyPassed = true;
  };
  std::int32_t row = firstCount > 0 ? firstRow(firstEntries[0], packing) : 0;
  double ax = firstCount > 0 ? firstX[row] : 0.0;
  double ay = firstCount > 0 ? firstY[row] : 0.0;
  std::int32_t k = 0;
  for (; k < secondCount; ++k) {
    if (k + kPrefetchAhead < secondCount) {
      const std::int32_t ahead = rowOf(secondRows[k + kPrefetchAhead]);
      prefetchRead(x + ahead);
      prefetchRead(y + ahead);
    }
    const std::int32_t j = rowOf(secondRows[k]);
    const double bx = x[j];
    const double by = y[j];
    while (f < firstCount && (ax < bx || (ax == bx && !(by < ay)))) {
      passFirst(row, ay);
      if (++f == firstCount) break;
      if (f + kPrefetchAhead < firstCount) {
        const std::int32_t ahead = firstRow(firstEntries[f + kPrefetchAhead], packing);
        prefetchRead(firstX + ahead);
        prefetchRead(firstY + ahead);
      }
      row = firstRow(firstEntries[f], packing);
      ax = firstX[row];
      ay = firstY[row];
    }
    if (std::int64_t{dominated} * most > f + 64) break;
    if (!anyPassed || by < lowestPassed) {
      lowestDominating = !anyDominating || by < lowestDominating ? by : lowestDominating;
      anyDominating = true;
    } else if (anyUndominated && lowestUndominated <= by) {
      secondRows[k] = -2.0 - j;
    }
  }
  if (k == secondCount) {
    for (; f < firstCount; ++f)
      passFirst(firstRow(firstEntries[f], packing), firstY[firstRow(firstEntries[f], packing)]);
    if (std::int64_t{dominated} * most <= f + 64) return dominated;
  }
  // Too many dominated: both lists back as they were.
  for (std::int32_t p = 0; p < f; ++p) {
    const double entry = firstEntries[p];
    if (entry < 0.0)
      firstEntries[p] = firstEntry(static_cast<std::int32_t>(-2.0 - entry), packing.none, packing);
  }
  for (std::int32_t p = 0; p < k; ++p) {
    const double entry = secondRows[p];
    if (entry < 0.0) secondRows[p] = -2.0 - entry;
  }
  return -1;
}
