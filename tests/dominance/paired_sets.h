#ifndef TESTS_DOMINANCE_PAIRED_SETS_H
#define TESTS_DOMINANCE_PAIRED_SETS_H

// A second set built from the first: rows copied (repeats across the sets), rows moved one
// unit ahead or behind in one column (dominating or dominated by a row of the first set, and
// often by or over each other), and fresh stress rows.

#include <cstddef>
#include <random>

#include "tests/dominance/random_rows.h"

inline RowMatrix pairedSet(std::mt19937_64& rng, const RowMatrix& first, std::size_t rows,
                           int distinctValues) {
  RowMatrix m = randomRows(rng, rows, first.cols, distinctValues);
  if (first.rows == 0) return m;
  std::uniform_int_distribution<int> percent(0, 99);
  for (std::size_t r = 0; r < rows; ++r) {
    const int kind = percent(rng);
    if (kind >= 75) continue;
    const std::size_t from = rng() % first.rows;
    for (std::size_t c = 0; c < m.cols; ++c) m.values[r + c * rows] = first.at(from, c);
    if (kind >= 25 && m.cols > 0) m.values[r + (rng() % m.cols) * rows] += kind < 50 ? -1.0 : 1.0;
  }
  return m;
}

#endif
