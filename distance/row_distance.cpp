#include "distance/row_distance.h"

#include <cmath>
#include <cstddef>

void fillRowDistances(const double* data, std::int32_t cols, std::int32_t rows, double* out) {
  const std::ptrdiff_t m = rows;
  for (std::ptrdiff_t cell = 0; cell < m * m; ++cell) out[cell] = 0.0;
  for (std::ptrdiff_t i = 0; i + 1 < m; ++i) {
    for (std::ptrdiff_t j = i + 1; j < m; ++j) {
      double sum = 0.0;
      for (std::ptrdiff_t k = 0; k < cols; ++k) {
        const double d = data[i + k * m] - data[j + k * m];
        sum = sum + d * d;
      }
      const double dist = std::sqrt(sum);
      out[i + j * m] = dist;
      out[j + i * m] = dist;
    }
  }
}
