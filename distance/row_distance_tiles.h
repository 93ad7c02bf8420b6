#ifndef DISTANCE_ROW_DISTANCE_TILES_H
#define DISTANCE_ROW_DISTANCE_TILES_H

// The table is filled tile by tile, so that the rows a tile reads stay in cache and the
// cells it writes, in both halves, land in a few contiguous runs per column.

#include <cstddef>
#include <cstdint>

// Pairs of rows [iBegin, iEnd) with rows [jBegin, jEnd) of the M x N column-major `data`,
// written to both halves of the M x M table `out`. The ranges start at multiples of
// kTileAlign; iBegin == jBegin marks a tile on the diagonal, of which only pairs i <= j
// are visited (the rest are their mirror images).
struct TableTile {
  const double* data;
  std::ptrdiff_t cols;
  std::ptrdiff_t rows;
  double* out;
  std::ptrdiff_t iBegin;
  std::ptrdiff_t iEnd;
  std::ptrdiff_t jBegin;
  std::ptrdiff_t jEnd;
};

// Tiles are cut at multiples of every vector build's block width.
constexpr std::ptrdiff_t kTileAlign = 8;

using TileFiller = void (*)(const TableTile& tile);

// Calls `fill` once for every tile on or above the diagonal; together they write every
// cell of the table once.
void fillByTiles(const double* data, std::int32_t cols, std::int32_t rows, double* out,
                 TileFiller fill);

// Writes the cells of a block whose distances a vector build computed into `block`:
// block[c * width + r] is the distance of rows a + r and b + c, for r < iCount and
// c < jCount. Cells on the diagonal get 0.0; a lane that paired a row with an earlier one
// is skipped, as its mirror image carries the pair in the right order.
void storeEdgeBlock(const double* block, std::ptrdiff_t width, const TableTile& tile,
                    std::ptrdiff_t a, std::ptrdiff_t iCount, std::ptrdiff_t b,
                    std::ptrdiff_t jCount);

#endif
