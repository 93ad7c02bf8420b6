#ifndef DISTANCE_ROW_DISTANCE_TILES_H
#define DISTANCE_ROW_DISTANCE_TILES_H

// The table is filled tile by tile. A tier computes the pairs of one tile into two small
// buffers, the tile and its transpose; the walk then writes each buffer column to the
// table as one contiguous run, so that every column of the table receives long runs in
// both halves, and the lines the next tile writes are requested while this one is written.

#include <cstddef>
#include <cstdint>

// Rows per tile side: a multiple of every tier's block width. Both buffers together take
// 2 * 64 * 64 doubles, 64 KB of stack, and stay in the first- and second-level caches.
constexpr std::ptrdiff_t kTileSide = 64;

// Pairs of rows [iBegin, iBegin + iCount) with rows [jBegin, jBegin + jCount) of the
// M x N column-major `data`. iBegin == jBegin marks a tile on the diagonal, of which only
// pairs i <= j need be computed (the rest are their mirror images).
//
// The tier writes the distance of rows iBegin + r and jBegin + c to upper[c * kTileSide + r]
// and to lower[r * kTileSide + c]. It may write whole blocks past iCount and jCount, up to
// kTileSide, and need not write the blocks left of the diagonal of a diagonal tile.
struct TableTile {
  const double* data;
  std::ptrdiff_t cols;
  std::ptrdiff_t rows;
  std::ptrdiff_t iBegin;
  std::ptrdiff_t iCount;
  std::ptrdiff_t jBegin;
  std::ptrdiff_t jCount;
  double* upper;
  double* lower;
};

using TileComputer = void (*)(const TableTile& tile);

// Calls `compute` once for every tile on or above the diagonal and writes its cells to
// both halves of the M x M table `out`; together the tiles write every cell once.
void fillByTiles(const double* data, std::int32_t cols, std::int32_t rows, double* out,
                 TileComputer compute);

#endif
