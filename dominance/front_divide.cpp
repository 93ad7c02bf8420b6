#include "dominance/front_divide.h"

#include <algorithm>

#include "dominance/digit_sort.h"
#include "dominance/front_filter.h"
#include "dominance/pair_cover.h"
#include "dominance/row_order.h"
#include "dominance/sorted_rows.h"

namespace {

struct Divide {
  const MatrixView& m;
  DivideLimits limits;
  FrontFilter leaf;
  PairCover pairs;
};

// Moves the entries that hold rows to the start of [begin, begin + size); returns how many.
std::int32_t dropFallen(double* begin, std::int32_t size) {
  std::int32_t live = 0;
  for (std::int32_t p = 0; p < size; ++p) {
    if (begin[p] >= 0.0) std::swap(begin[live++], begin[p]);
  }
  return live;
}

// Splits entries into values in `values` below `pivot`, equal to it, and above it; returns
// where the equal and the greater ones start.
struct ThreeWay {
  std::int32_t equalFrom;
  std::int32_t greaterFrom;
};

ThreeWay partitionAround(double* entries, std::int32_t size, const double* values, double pivot) {
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

// The first of `size` staircase entries whose value in `column` is above `value`, found
// without branching on the data.
double* firstStepAbove(double* steps, std::int32_t size, const double* column, double value) {
  if (size == 0) return steps;
  double* base = steps;
  for (std::int32_t n = size; n > 1;) {
    const std::int32_t half = n / 2;
    base = column[rowOf(base[half])] <= value ? base + half : base;
    n -= half;
  }
  return base + (column[rowOf(*base)] <= value ? 1 : 0);
}

// Adds the row at upper[at] to the staircase upper[0 .. size) of rows minimal in columns y
// and z (by increasing y and decreasing z); returns the new size. upper[size .. at) holds
// the rows that left the staircase or never joined it; all entries stay in upper[0 .. at].
std::int32_t addStep(double* upper, std::int32_t size, std::int32_t at, const double* y,
                     const double* z) {
  const std::int32_t row = rowOf(upper[at]);
  double* const steps = upper;
  double* const after = firstStepAbove(steps, size, y, y[row]);
  if (after != steps && z[rowOf(after[-1])] <= z[row]) return size;
  // The row replaces the steps it is <= in both columns: one with the same y just before,
  // then those after it with z >= its own.
  double* from = after;
  if (from != steps && y[rowOf(from[-1])] == y[row]) --from;
  double* to = after;
  while (to != steps + size && z[rowOf(*to)] >= z[row]) ++to;
  const auto replaced = static_cast<std::int32_t>(to - from);
  const auto place = static_cast<std::int32_t>(from - steps);
  if (replaced == 0) {
    if (size < at) upper[at] = upper[size];
    std::copy_backward(steps + place, steps + size, steps + size + 1);
    steps[place] = row;
    return size + 1;
  }
  upper[at] = steps[place];
  steps[place] = row;
  std::rotate(steps + place + 1, to, steps + size);
  return size - (replaced - 1);
}

// Sorts listed rows by their value in `values`, ties in no particular order. Each entry is
// first packed as the leading bits of the value's order key above the row index, so that
// the bulk of the sort moves integers and never reads the matrix; runs that tie in those
// bits are then ordered by the values themselves.
void sortByValue(double* entries, std::int32_t size, const double* values, int indexBits) {
  const int prefixShift = 64 - (53 - indexBits);
  for (std::int32_t p = 0; p < size; ++p) {
    const std::uint64_t prefix = orderKey(values[rowOf(entries[p])]) >> prefixShift;
    entries[p] = static_cast<double>(static_cast<std::int64_t>(
        prefix << indexBits | static_cast<std::uint64_t>(rowOf(entries[p]))));
  }
  sortByHighDigits(entries, entries + size, indexBits);
  const std::int64_t indexMask = (std::int64_t{1} << indexBits) - 1;
  const auto byValue = [values](double a, double b) { return values[rowOf(a)] < values[rowOf(b)]; };
  std::int32_t runStart = 0;
  std::int64_t runPrefix = -1;
  for (std::int32_t p = 0; p <= size; ++p) {
    const std::int64_t packed = p < size ? static_cast<std::int64_t>(entries[p]) : -1;
    if (p == size || packed >> indexBits != runPrefix) {
      if (p - runStart > 1) std::sort(entries + runStart, entries + p, byValue);
      runStart = p;
      if (p == size) break;
      runPrefix = packed >> indexBits;
    }
    entries[p] = static_cast<double>(packed & indexMask);
  }
}

// The last three columns: with both groups sorted by the first of them, the upper rows at or
// below a lower row in that column form a growing prefix, and the staircase of its rows
// minimal in the other two columns decides.
void coverByStaircase(const MatrixView& m, double* upper, std::int32_t upperSize, double* lower,
                      std::int32_t lowerSize, std::int32_t col) {
  const double* x = columnData(m, col);
  const double* y = columnData(m, col + 1);
  const double* z = columnData(m, col + 2);
  int indexBits = 0;
  while ((std::int64_t{1} << indexBits) < m.rows) ++indexBits;
  sortByValue(upper, upperSize, x, indexBits);
  sortByValue(lower, lowerSize, x, indexBits);
  std::int32_t size = 0;
  std::int32_t t = 0;
  for (std::int32_t b = 0; b < lowerSize; ++b) {
    const std::int32_t row = rowOf(lower[b]);
    for (; t < upperSize && x[rowOf(upper[t])] <= x[row]; ++t) size = addStep(upper, size, t, y, z);
    const double* const after = firstStepAbove(upper, size, y, y[row]);
    if (after != upper && z[rowOf(after[-1])] <= z[row]) lower[b] = kNoRow;
  }
}

// Marks kNoRow every entry of `lower` whose row some row of `upper` is <= in the columns from
// `col` on (and in the columns before, as the caller guarantees). Both groups are permuted.
// Splitting `lower` at its median in `col` leaves three smaller problems: the rows below the
// median against the upper rows below it, the same above, and the rows at or above it
// against the upper rows at or below it, which meet the column already and go on with the
// next. The first two are nested calls on at most half of `lower`; the third continues in
// this call, so the nesting is at most log2 of the lower group's size.
void coverAcross(const Divide& d, double* upper, std::int32_t upperSize, double* lower,
                 std::int32_t lowerSize, std::int32_t col) {
  for (;; ++col) {
    lowerSize = dropFallen(lower, lowerSize);
    if (upperSize == 0 || lowerSize == 0) return;
    const double* values = columnData(d.m, col);
    if (col == d.m.cols - 1) {
      double lowest = values[rowOf(upper[0])];
      for (std::int32_t t = 1; t < upperSize; ++t) {
        lowest = std::min(lowest, values[rowOf(upper[t])]);
      }
      for (std::int32_t b = 0; b < lowerSize; ++b) {
        if (lowest <= values[rowOf(lower[b])]) lower[b] = kNoRow;
      }
      return;
    }
    if (std::int64_t{upperSize} * lowerSize <= d.limits.leafPairs) {
      return d.pairs(d.m, upper, upperSize, lower, lowerSize, col);
    }
    if (col == d.m.cols - 3) {
      return coverByStaircase(d.m, upper, upperSize, lower, lowerSize, col);
    }
    double* const median = lower + lowerSize / 2;
    std::nth_element(lower, median, lower + lowerSize,
                     [values](double a, double b) { return values[rowOf(a)] < values[rowOf(b)]; });
    const double pivot = values[rowOf(*median)];
    const ThreeWay u = partitionAround(upper, upperSize, values, pivot);
    const ThreeWay l = partitionAround(lower, lowerSize, values, pivot);
    // The last problem treats the lower and equal upper rows as one group, so the calls that
    // permute them separately come first.
    coverAcross(d, upper, u.equalFrom, lower, l.equalFrom, col);
    coverAcross(d, upper + u.greaterFrom, upperSize - u.greaterFrom, lower + l.greaterFrom,
                lowerSize - l.greaterFrom, col);
    upperSize = u.greaterFrom;
    lower += l.equalFrom;
    lowerSize -= l.equalFrom;
  }
}

// Settles order[0 .. count), given in sorted order; leaves it permuted.
void settleRun(const Divide& d, double* order, std::int32_t count) {
  if (count <= 1 || count <= d.limits.leafRows) return d.leaf(d.m, order, count);
  const std::int32_t half = count / 2;
  settleRun(d, order, half);
  settleRun(d, order + half, count - half);
  // Every row of the first half comes earlier, so is <= in the first column already.
  coverAcross(d, order, dropFallen(order, half), order + half, count - half, 1);
}

}  // namespace

DivideLimits defaultDivideLimits() {
  return {1024, 16384};
}

void divideFront(Tier tier, const MatrixView& m, double* order, std::int32_t count,
                 DivideLimits limits) {
  const Divide d{m, limits, frontFilterFor(tier), pairCoverFor(tier)};
  if (m.cols < 2) return d.leaf(m, order, count);
  settleRun(d, order, count);
}
