#include "dominance/fronts/front_sweeps.h"

#include <algorithm>

#include "common/no_contraction.h"
#include "dominance/dominance_rule.h"
#include "dominance/sorts/row_order.h"

void sweepTwoColumns(const MatrixView& m, double* order, std::int32_t count) {
  const double* second = columnData(m, 1);
  double lowest = 0.0;
  for (std::int32_t p = 0; p < count; ++p) {
    const double v = second[rowOf(order[p])];
    if (p == 0 || v < lowest) {
      lowest = v;
    } else {
      order[p] = kNoRow;
    }
  }
}

namespace {

// The first of `size` staircase entries whose value in `column` is above `value`. The search
// avoids branching on the data, which random fronts would mispredict at every step.
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

}  // namespace

// order[0 .. size) is the staircase: rows by strictly increasing second column and strictly
// decreasing third column, none <= another in both. Behind it lie the settled entries
// (standing rows that left the staircase, and kNoRow), then the rows still to come.
void sweepThreeColumns(const MatrixView& m, double* order, std::int32_t count) {
  const double* second = columnData(m, 1);
  const double* third = columnData(m, 2);
  double* const steps = order;
  std::int32_t size = 0;
  for (std::int32_t p = 0; p < count; ++p) {
    const std::int32_t row = rowOf(order[p]);
    const double y = second[row];
    const double z = third[row];
    // The last step with second column <= y has the lowest third column of all such steps.
    double* const after = firstStepAbove(steps, size, second, y);
    if (after != steps && third[rowOf(after[-1])] <= z) {
      order[p] = kNoRow;
      continue;
    }
    // The row stands and replaces the steps it is <= in both columns: a step with second
    // column equal to y, then those after it whose third column is >= z.
    double* from = after;
    if (from != steps && second[rowOf(from[-1])] == y) --from;
    double* to = after;
    while (to != steps + size && third[rowOf(*to)] >= z) ++to;
    const auto replaced = static_cast<std::int32_t>(to - from);
    const auto at = static_cast<std::int32_t>(from - steps);
    if (replaced == 0) {
      // Make room: the first settled entry moves to the end of the settled part.
      if (size < p) order[p] = order[size];
      std::copy_backward(steps + at, steps + size, steps + size + 1);
      order[at] = row;
      ++size;
    } else {
      order[p] = order[at];
      order[at] = row;
      // The other replaced steps join the settled entries behind the staircase. Usually there
      // are one or two, and shifting the rest of the staircase once per step beats a rotation.
      double* const rest = steps + at + 1;
      if (replaced <= 4) {
        for (double* last = steps + size; rest != to; --to) {
          const double leaving = *rest;
          std::copy(rest + 1, last, rest);
          *--last = leaving;
        }
      } else {
        std::rotate(rest, to, steps + size);
      }
      size -= replaced - 1;
    }
  }
}
