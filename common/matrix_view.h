#ifndef COMMON_MATRIX_VIEW_H
#define COMMON_MATRIX_VIEW_H

#include <cstddef>
#include <cstdint>

// A read-only column-major matrix: element (r, c) lives at data[r + c * rows].
// Counts are 32-bit, but offsets are always formed in 64-bit so that a matrix with
// 2^31 or more elements is still addressed correctly.
struct MatrixView {
  std::int32_t rows;
  std::int32_t cols;
  const double* data;
};

inline std::ptrdiff_t elementOffset(std::int32_t row, std::int32_t col, std::int32_t rows) {
  return static_cast<std::ptrdiff_t>(row) +
         static_cast<std::ptrdiff_t>(col) * static_cast<std::ptrdiff_t>(rows);
}

inline double elementAt(const MatrixView& m, std::int32_t row, std::int32_t col) {
  return m.data[elementOffset(row, col, m.rows)];
}

// Start of column `col`: rows of one column are contiguous.
inline const double* columnData(const MatrixView& m, std::int32_t col) {
  return m.data + elementOffset(0, col, m.rows);
}

#endif
