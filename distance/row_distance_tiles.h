#ifndef DISTANCE_ROW_DISTANCE_TILES_H
#define DISTANCE_ROW_DISTANCE_TILES_H

// The table is filled tile by tile, 64 x 64 pairs at a time, each block of pairs written
// straight to both halves. While a tile is computed, the lines the next tile will write are
// requested for writing: a table that is not in cache is otherwise read line by line, a
// few lines in each of many columns far apart, in a pattern the processor cannot foresee.
// The walk itself is in row_distance_tile_walk.h, compiled once per tier.

#include <cstddef>
#include <cstdint>

#include "common/prefetch.h"

// Rows per tile side, a multiple of every tier's block sides. The cells a tile writes,
// 64 KB in both halves, stay in cache until written; so do the 128 rows it reads, for up to
// about a thousand columns.
constexpr std::ptrdiff_t kTileSide = 64;

// The blocks read their rows from panels on the stack, a chunk of columns at a time, each
// column's rows side by side: in the matrix, column k of a block's rows lies M cells from
// column k - 1, so a block over many columns touches a page and a line per column, and at
// M = 4000 those lines crowd into a quarter of the first-level cache's sets.
// A tile is taken kPanelRows of its rows at a time (one panel) against all of its other rows
// (another), so that the partial sums carried from chunk to chunk fit in 16 KB.
constexpr std::ptrdiff_t kPanelRows = kTileSide / 2;
constexpr std::ptrdiff_t kChunkColumns = 16;

// Pairs of rows [iBegin, iEnd) with rows [jBegin, jEnd) of the M x N column-major `data`,
// written to both halves of the M x M table `out`. iBegin == jBegin marks a tile on the
// diagonal, of which only pairs i <= j are visited (the rest are their mirror images).
// Whole tiles start at row `origin` (under eight), after a first narrow band of tiles.
struct TableTile {
  const double* data;
  std::ptrdiff_t cols;
  std::ptrdiff_t rows;
  double* out;
  std::ptrdiff_t iBegin;
  std::ptrdiff_t iEnd;
  std::ptrdiff_t jBegin;
  std::ptrdiff_t jEnd;
  std::ptrdiff_t origin;
};

// Copies columns [k0, k0 + count) of rows [begin, end) of t's matrix to `panel`, column c's
// rows at panel + c * stride, and 0.0 in the rest of each column's `stride` cells.
void packRows(const TableTile& t, std::ptrdiff_t begin, std::ptrdiff_t end, std::ptrdiff_t k0,
              std::ptrdiff_t count, double* panel, std::ptrdiff_t stride);

// Asks for the lines of rows [begin, end) of column k of t's matrix.
inline void prefetchColumn(const TableTile& t, std::ptrdiff_t begin, std::ptrdiff_t end,
                           std::ptrdiff_t k) {
  const double* column = t.data + k * t.rows;
  for (std::ptrdiff_t r = begin; r < end; r += 8) prefetchRead(column + r);
  prefetchRead(column + (end - 1));
}

// The row at which whole tiles start: where a cache line of `out` starts in every column,
// if the row count keeps columns a whole number of lines apart, so that the blocks' runs
// of eight cells are stored to single lines rather than split across two. A reused 4000 x
// 3 table was written in 6.5 to 6.8 ms against 7.9 to 8.1 ms with every run split
// (AMD EPYC, Zen 5, AVX-512 tier). Otherwise 0.
std::ptrdiff_t tileOrigin(const double* out, std::int32_t rows);

inline std::ptrdiff_t upTo(std::ptrdiff_t count, std::ptrdiff_t last) {
  return count < last ? count : last;
}

// The first tile of the walk: tile rows in order, each from the diagonal rightwards.
TableTile firstTile(const double* data, std::int32_t cols, std::int32_t rows, double* out);

// The tile after t, or one with iBegin == rows after the last.
TableTile nextTile(const TableTile& t);

// Where a tile writes in one half of the table: `count` runs of `length` cells, run c at
// first + c * stride.
struct Runs {
  const double* first;
  std::ptrdiff_t stride;
  std::ptrdiff_t count;
  std::ptrdiff_t length;
};

// The runs of t above the diagonal and below it; none past the last tile, and none below
// for a tile on the diagonal (its mirror image is itself).
Runs upperRuns(const TableTile& t);
Runs lowerRuns(const TableTile& t);

// Columns up to which the next tile's lines are prefetched. With more, a tile's arithmetic
// hides its misses; prefetching still helped a reused table there (250 against 270 ms at
// 4000 x 256, AVX-512 tier) but cost a fresh result more (325 against 297 ms), and fresh
// results, which most hosts hand out, come first. At 128 columns both gained or held.
constexpr std::ptrdiff_t kPrefetchColumns = 128;

// Prefetches runs [c, cEnd) of `r` that exist: a line every eight cells, and the last one.
inline void prefetchRuns(const Runs& r, std::ptrdiff_t c, std::ptrdiff_t cEnd) {
  for (; c < cEnd && c < r.count; ++c) {
    const double* run = r.first + c * r.stride;
    for (std::ptrdiff_t k = 0; k < r.length; k += 8) prefetchForWrite(run + k);
    prefetchForWrite(run + (r.length - 1));
  }
}

// Writes the cells of a block computed into `block`: block[r * width + c] is the distance
// of rows a + r and b + c, for r < iCount and c < jCount. Cells on the diagonal get 0.0; a
// cell that paired a row with an earlier one is skipped, as its mirror image carries the
// pair in the right order.
void storeEdgeBlock(const double* block, std::ptrdiff_t width, const TableTile& tile,
                    std::ptrdiff_t a, std::ptrdiff_t iCount, std::ptrdiff_t b,
                    std::ptrdiff_t jCount);

#endif
