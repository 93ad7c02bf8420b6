#include "distance/row_distance_tiles.h"

#include <algorithm>

#include "common/no_contraction.h"

namespace {

// Rows per tile side. A tile reads 2 * side rows of every column, at most kReadBytes, and
// writes side^2 cells to each half of the table: both stay within a second-level cache of
// about a megabyte.
std::ptrdiff_t tileSide(std::ptrdiff_t cols) {
  constexpr std::ptrdiff_t kReadBytes = 256 * 1024;
  constexpr std::ptrdiff_t kMaxSide = 256;
  const std::ptrdiff_t byReads = kReadBytes / (2 * static_cast<std::ptrdiff_t>(sizeof(double)) *
                                               std::max<std::ptrdiff_t>(cols, 1));
  const std::ptrdiff_t side = std::min(byReads, kMaxSide) / kTileAlign * kTileAlign;
  return std::max(side, kTileAlign);
}

}  // namespace

void fillByTiles(const double* data, std::int32_t cols, std::int32_t rows, double* out,
                 TileFiller fill) {
  const std::ptrdiff_t m = rows;
  const std::ptrdiff_t side = tileSide(cols);
  for (std::ptrdiff_t i0 = 0; i0 < m; i0 += side) {
    for (std::ptrdiff_t j0 = i0; j0 < m; j0 += side) {
      fill(TableTile{data, cols, m, out, i0, std::min(i0 + side, m), j0, std::min(j0 + side, m)});
    }
  }
}

void storeEdgeBlock(const double* block, std::ptrdiff_t width, const TableTile& tile,
                    std::ptrdiff_t a, std::ptrdiff_t iCount, std::ptrdiff_t b,
                    std::ptrdiff_t jCount) {
  const std::ptrdiff_t m = tile.rows;
  for (std::ptrdiff_t c = 0; c < jCount; ++c) {
    for (std::ptrdiff_t r = 0; r < iCount; ++r) {
      const std::ptrdiff_t i = a + r;
      const std::ptrdiff_t j = b + c;
      if (i < j) {
        const double dist = block[c * width + r];
        tile.out[i + j * m] = dist;
        tile.out[j + i * m] = dist;
      } else if (i == j) {
        tile.out[i + i * m] = 0.0;
      }
    }
  }
}
