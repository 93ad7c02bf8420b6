#ifndef TESTS_DOMINANCE_SHAPED_ROWS_H
#define TESTS_DOMINANCE_SHAPED_ROWS_H

// Seeded matrices shaped to reach the corners of the fast passes: whole fronts with repeated
// rows, first columns that differ only in their last bits, and plain stress values.

#include <cmath>
#include <limits>
#include <random>

#include "tests/dominance/random_rows.h"
#include "tests/dominance/reference_marking.h"

// Rows of non-negative integers with one common sum are mutually non-dominated unless
// equal. Some rows are then repeated, pushed back by one, or given a NaN, -0.0 or infinity.
inline RowMatrix frontRows(std::mt19937_64& rng, std::size_t rows, std::size_t cols) {
  RowMatrix m;
  m.rows = rows;
  m.cols = cols;
  m.values.assign(rows * cols, 0.0);
  std::uniform_int_distribution<int> percent(0, 99);
  std::uniform_int_distribution<std::size_t> anyCol(0, cols == 0 ? 0 : cols - 1);
  const int total = 3 + static_cast<int>(rng() % 12);
  for (std::size_t r = 0; r < rows; ++r) {
    if (r > 0 && percent(rng) < 15) {
      const std::size_t earlier = rng() % r;
      for (std::size_t c = 0; c < cols; ++c) m.values[r + c * rows] = m.at(earlier, c);
      continue;
    }
    for (int unit = 0; cols > 0 && unit < total; ++unit) m.values[r + anyCol(rng) * rows] += 1.0;
    if (cols == 0) continue;
    const int twist = percent(rng);
    double& cell = m.values[r + anyCol(rng) * rows];
    if (twist < 10) cell += 1.0;
    if (twist >= 10 && twist < 13) cell = std::numeric_limits<double>::quiet_NaN();
    if (twist >= 13 && twist < 15) cell = std::numeric_limits<double>::infinity();
    if (twist >= 15 && twist < 17) cell = -std::numeric_limits<double>::infinity();
    if (cell == 0.0 && percent(rng) < 50) cell = -0.0;
  }
  return m;
}

// The first column takes values a few units in the last place apart (around one, a huge
// value, zero and a negative value), so sort keys built from its leading bits tie.
inline RowMatrix nearTieRows(std::mt19937_64& rng, std::size_t rows, std::size_t cols) {
  RowMatrix m = randomRows(rng, rows, cols, 3);
  const double bases[] = {1.0, -1.0, 1e300, 0.0, -0.0, 4.9e-324};
  const double base = bases[rng() % 6];
  for (std::size_t r = 0; r < rows && cols > 0; ++r) {
    double v = base;
    for (std::size_t step = rng() % 4; step > 0; --step) v = std::nextafter(v, 2.0);
    if (rng() % 10 != 0) m.values[r] = v;
  }
  return m;
}

// One of the shapes above or plain stress values, by trial number.
inline RowMatrix shapedRows(std::mt19937_64& rng, int trial, std::size_t rows, std::size_t cols) {
  switch (trial % 3) {
    case 0:
      return frontRows(rng, rows, cols);
    case 1:
      return nearTieRows(rng, rows, cols);
    default:
      return randomRows(rng, rows, cols, 2 + trial % 5);
  }
}

#endif
