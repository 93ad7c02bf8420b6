#ifndef TESTS_DOMINANCE_RANDOM_ROWS_H
#define TESTS_DOMINANCE_RANDOM_ROWS_H

// Seeded random matrices built to stress the dominance rules: small integer values (many
// ties and duplicates), signed zeros, infinities and NaN.

#include <limits>
#include <random>

#include "tests/dominance/reference_marking.h"

inline double stressValue(std::mt19937_64& rng, int distinctValues) {
  std::uniform_int_distribution<int> pick(0, 99);
  const int p = pick(rng);
  if (p < 3) return std::numeric_limits<double>::quiet_NaN();
  if (p < 6) return std::numeric_limits<double>::infinity();
  if (p < 8) return -std::numeric_limits<double>::infinity();
  if (p < 12) return -0.0;
  std::uniform_int_distribution<int> small(0, distinctValues - 1);
  return static_cast<double>(small(rng));
}

inline RowMatrix randomRows(std::mt19937_64& rng, std::size_t rows, std::size_t cols,
                            int distinctValues) {
  RowMatrix m;
  m.rows = rows;
  m.cols = cols;
  m.values.resize(rows * cols);
  for (double& v : m.values) v = stressValue(rng, distinctValues);
  return m;
}

#endif
