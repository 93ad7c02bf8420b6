#ifndef TESTS_DISTANCE_LITERAL_TABLE_H
#define TESTS_DISTANCE_LITERAL_TABLE_H

// The distance table as a plain loop computes it, the oracle every build must match bit for
// bit: one accumulator, columns in order, row i minus row j for i < j, and the product
// rounded before it is added.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

using Values = std::vector<double>;

inline Values literalTable(const Values& x, std::int32_t rows, std::int32_t cols) {
  const std::size_t m = static_cast<std::size_t>(rows);
  Values d(m * m, 0.0);
  for (std::size_t i = 0; i < m; ++i) {
    for (std::size_t j = i + 1; j < m; ++j) {
      double sum = 0.0;
      for (std::size_t k = 0; k < static_cast<std::size_t>(cols); ++k) {
        const double diff = x[i + k * m] - x[j + k * m];
        volatile double square = diff * diff;
        sum = sum + square;
      }
      d[i + j * m] = d[j + i * m] = std::sqrt(sum);
    }
  }
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
