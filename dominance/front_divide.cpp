#include "dominance/front_divide.h"

#include <algorithm>

#include "dominance/row_order.h"
#include "dominance/sorted_rows.h"

namespace {

struct Divide {
  const MatrixView& m;
  DivideLimits limits;
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

void coverPairwise(const MatrixView& m, const double* upper, std::int32_t upperSize, double* lower,
                   std::int32_t lowerSize, std::int32_t col) {
  for (std::int32_t b = 0; b < lowerSize; ++b) {
    const std::int32_t row = rowOf(lower[b]);
    for (std::int32_t t = 0; t < upperSize; ++t) {
      if (rowAtMostFrom(m, rowOf(upper[t]), row, col)) {
        lower[b] = kNoRow;
        break;
      }
    }
  }
}

// Marks kNoRow every entry of `lower` whose row some row of `upper` is <= in the columns from
// `col` on (and in the columns before, as the caller guarantees). Both groups are permuted.
// Splitting `lower` at its median in `col` leaves three smaller problems: the rows below the
// median against the upper rows below it, the same above, and the rows at or above it
// against the upper rows at or below it, which meet the column already and go on with the
// next. Each call either halves `lower` or moves to the next column.
void coverAcross(const Divide& d, double* upper, std::int32_t upperSize, double* lower,
                 std::int32_t lowerSize, std::int32_t col) {
  lowerSize = dropFallen(lower, lowerSize);
  if (upperSize == 0 || lowerSize == 0) return;
  const double* values = columnData(d.m, col);
  if (col == d.m.cols - 1) {
    double lowest = values[rowOf(upper[0])];
    for (std::int32_t t = 1; t < upperSize; ++t) lowest = std::min(lowest, values[rowOf(upper[t])]);
    for (std::int32_t b = 0; b < lowerSize; ++b) {
      if (lowest <= values[rowOf(lower[b])]) lower[b] = kNoRow;
    }
    return;
  }
  if (std::int64_t{upperSize} * lowerSize <= d.limits.leafPairs) {
    return coverPairwise(d.m, upper, upperSize, lower, lowerSize, col);
  }
  double* const median = lower + lowerSize / 2;
  std::nth_element(lower, median, lower + lowerSize,
                   [values](double a, double b) { return values[rowOf(a)] < values[rowOf(b)]; });
  const double pivot = values[rowOf(*median)];
  const ThreeWay u = partitionAround(upper, upperSize, values, pivot);
  const ThreeWay l = partitionAround(lower, lowerSize, values, pivot);
  // The last call treats the lower and equal upper rows as one group, so the calls that
  // permute them separately come first.
  coverAcross(d, upper, u.equalFrom, lower, l.equalFrom, col);
  coverAcross(d, upper + u.greaterFrom, upperSize - u.greaterFrom, lower + l.greaterFrom,
              lowerSize - l.greaterFrom, col);
  coverAcross(d, upper, u.greaterFrom, lower + l.equalFrom, lowerSize - l.equalFrom, col + 1);
}

// Settles order[0 .. count), given in sorted order; leaves it permuted.
void settleRun(const Divide& d, FrontFilter leaf, double* order, std::int32_t count) {
  if (count <= 1 || count <= d.limits.leafRows) return leaf(d.m, order, count);
  const std::int32_t half = count / 2;
  settleRun(d, leaf, order, half);
  settleRun(d, leaf, order + half, count - half);
  // Every row of the first half comes earlier, so is <= in the first column already.
  coverAcross(d, order, dropFallen(order, half), order + half, count - half, 1);
}

}  // namespace

DivideLimits defaultDivideLimits() {
  return {256, 256};
}

void divideFront(const MatrixView& m, double* order, std::int32_t count, FrontFilter leaf,
                 DivideLimits limits) {
  if (m.cols < 2) return leaf(m, order, count);
  settleRun(Divide{m, limits}, leaf, order, count);
}
