#ifndef TESTS_DISTANCE_LITERAL_TABLE_H
#define TESTS_DISTANCE_LITERAL_TABLE_H

// The distance table as a plain loop computes it, the oracle every tier must match bit for
// bit: one accumulator, columns in order, row i minus row j for i < j, and the product
// rounded before it is added.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

using Values = std::vector<double>;

// Writes every cell of the M x M table `out`. The square is stored before it is added, so
// that no compiler setting can fuse the two.
inline void literalFill(const double* x, std::int32_t cols, std::int32_t rows, double* out) {
  const std::size_t m = static_cast<std::size_t>(rows);
  for (std::size_t i = 0; i < m; ++i) {
    out[i + i * m] = 0.0;
    for (std::size_t j = i + 1; j < m; ++j) {
      double sum = 0.0;
      for (std::size_t k = 0; k < static_cast<std::size_t>(cols); ++k) {
        const double diff = x[i + k * m] - x[j + k * m];
        volatile double square = diff * diff;
        sum = sum + square;
      }
      out[i + j * m] = out[j + i * m] = std::sqrt(sum);
    }
  }
}

inline Values literalTable(const Values& x, std::int32_t rows, std::int32_t cols) {
  Values d(static_cast<std::size_t>(rows) * static_cast<std::size_t>(rows));
  literalFill(x.data(), cols, rows, d.data());
  return d;
}

// Equal bits, except that any NaN matches any NaN: when both terms of a sum are NaN,
// which one's sign and payload survive depends on the operand order a compiler picks for
// the commutative addition, in the oracle as in the kernel.
inline bool sameBits(const double* a, const double* b, std::size_t count) {
  for (std::size_t c = 0; c < count; ++c) {
    const bool bothNaN = std::isnan(a[c]) && std::isnan(b[c]);
    if (!bothNaN && std::memcmp(&a[c], &b[c], sizeof(double)) != 0) return false;
  }
  return true;
}

inline bool sameBits(const Values& a, const Values& b) {
  return a.size() == b.size() && sameBits(a.data(), b.data(), a.size());
}

#endif
