#ifndef TESTS_DOMINANCE_ROW_MATRIX_H
#define TESTS_DOMINANCE_ROW_MATRIX_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/matrix_view.h"

// A test matrix that owns its values.
struct RowMatrix {
  std::size_t rows = 0;
  std::size_t cols = 0;
  std::vector<double> values;  // column-major
  double at(std::size_t r, std::size_t c) const { return values[r + c * rows]; }
};

inline MatrixView viewOf(const RowMatrix& m) {
  return MatrixView{static_cast<std::int32_t>(m.rows), static_cast<std::int32_t>(m.cols),
                    m.values.data()};
}

#endif
