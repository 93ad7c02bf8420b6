// Portable build of the distance table: one pair at a time.

#include <cmath>

#include "common/no_contraction.h"
#include "distance/row_distance_tiles.h"
#include "distance/row_distance_variants.h"

namespace {

void fillTilePlain(const TableTile& t) {
  const std::ptrdiff_t m = t.rows;
  const bool onDiagonal = t.iBegin == t.jBegin;
  for (std::ptrdiff_t i = t.iBegin; i < t.iEnd; ++i) {
    if (onDiagonal) t.out[i + i * m] = 0.0;
    const std::ptrdiff_t jFirst = onDiagonal ? i + 1 : t.jBegin;
    for (std::ptrdiff_t j = jFirst; j < t.jEnd; ++j) {
      double sum = 0.0;
      for (std::ptrdiff_t k = 0; k < t.cols; ++k) {
        const double d = t.data[i + k * m] - t.data[j + k * m];
        sum = sum + d * d;
      }
      const double dist = std::sqrt(sum);
      t.out[i + j * m] = dist;
      t.out[j + i * m] = dist;
    }
  }
}

}  // namespace

void fillRowDistancesPlain(const double* data, std::int32_t cols, std::int32_t rows, double* out) {
  fillByTiles(data, cols, rows, out, fillTilePlain);
}
