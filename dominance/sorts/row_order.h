#ifndef DOMINANCE_SORTS_ROW_ORDER_H
#define DOMINANCE_SORTS_ROW_ORDER_H

// Reading whole rows of a column-major matrix for the passes that work in sorted order.

#include <cstdint>
#include <cstring>

#include "common/matrix_view.h"

inline bool rowHasNaN(const MatrixView& m, std::int32_t row) {
  for (std::int32_t k = 0; k < m.cols; ++k) {
    const double v = elementAt(m, row, k);
    if (v != v) return true;
  }
  return false;
}

// Lexicographic order over the columns, ties broken by row index. On rows without NaN this
// is a strict total order in which a row comes after every row that dominates it and after
// every lower-indexed row equal to it. -0.0 and +0.0 compare equal.
inline bool rowPrecedes(const MatrixView& m, std::int32_t a, std::int32_t b) {
  for (std::int32_t k = 0; k < m.cols; ++k) {
    const double x = elementAt(m, a, k);
    const double y = elementAt(m, b, k);
    if (x < y) return true;
    if (y < x) return false;
  }
  return a < b;
}

// Row `lower` is <= row `upper` in every column from `fromCol` on.
inline bool rowAtMostFrom(const MatrixView& m, std::int32_t lower, std::int32_t upper,
                          std::int32_t fromCol) {
  for (std::int32_t k = fromCol; k < m.cols; ++k) {
    if (!(elementAt(m, lower, k) <= elementAt(m, upper, k))) return false;
  }
  return true;
}

// An unsigned key that orders like the value, for any value but NaN; -0.0 and +0.0 get
// the same key.
inline std::uint64_t orderKey(double v) {
  if (v == 0.0) v = 0.0;
  std::uint64_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  const std::uint64_t sign = std::uint64_t{1} << 63;
  return (bits & sign) != 0 ? ~bits : bits | sign;
}

#endif
