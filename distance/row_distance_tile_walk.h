// The walk over the tiles of the table and the blocks of each tile, the same for every
// tier. Each tier's file includes this inside its target region, after every other
// header, so that it is compiled once per tier with that tier's instructions; the unnamed
// namespace keeps each copy to its file.
//
// The tier's file defines, in its unnamed namespace:
//   kSideI, kSideJ: the block of pairs, rows a + r (r < kSideI) against rows b + c
//     (c < kSideJ); one side is a multiple of the other, and both divide kTileSide;
//   Block computeBlock(tile, a, iCount, b, jCount): the distances of rows a + r and b + c
//     for r < iCount and c < jCount (the other cells hold anything), reading no row past
//     the matrix;
//   storeLower(first, stride, block): the distances of row a + r, c = 0 ... kSideJ - 1, to
//     first + r * stride;
//   storeUpper(first, stride, block): the distances of row b + c, r = 0 ... kSideI - 1, to
//     first + c * stride.
// A tier with more than one kind of block includes this once per kind, each in a namespace
// of its own that defines those names. Nothing here includes a header:
// row_distance_tiles.h comes first, outside the region.

namespace {

// A full block above the diagonal: row a + r of the pairs goes to column a + r of the
// table below the diagonal, row b + c to column b + c above it.
inline void fillFullBlock(const TableTile& t, std::ptrdiff_t a, std::ptrdiff_t b) {
  const Block dist = computeBlock(t, a, kSideI, b, kSideJ);
  storeLower(t.out + (b + a * t.rows), t.rows, dist);
  storeUpper(t.out + (a + b * t.rows), t.rows, dist);
}

void fillEdgeBlock(const TableTile& t, std::ptrdiff_t a, std::ptrdiff_t iCount, std::ptrdiff_t b,
                   std::ptrdiff_t jCount) {
  double block[kSideI * kSideJ];
  storeLower(block, kSideJ, computeBlock(t, a, iCount, b, jCount));
  storeEdgeBlock(block, kSideJ, t, a, iCount, b, jCount);
}

// Each row of blocks also prefetches its share of the next tile's runs, so that the
// requests are spread over the time the tile takes. On the diagonal, a row of blocks
// starts at the block of columns that holds its first row: the pairs left of it are the
// mirror images of pairs an earlier row of blocks computes.
void fillTile(const TableTile& t, const Runs& nextUpper, const Runs& nextLower) {
  const bool onDiagonal = t.iBegin == t.jBegin;
  std::ptrdiff_t prefetched = 0;
  for (std::ptrdiff_t a = t.iBegin; a < t.iEnd; a += kSideI, prefetched += kSideI) {
    prefetchRuns(nextUpper, prefetched, prefetched + kSideI);
    prefetchRuns(nextLower, prefetched, prefetched + kSideI);
    const std::ptrdiff_t first =
        onDiagonal ? t.jBegin + (a - t.jBegin) / kSideJ * kSideJ : t.jBegin;
    for (std::ptrdiff_t b = first; b < t.jEnd; b += kSideJ) {
      if (b >= a + kSideI && t.jEnd - b >= kSideJ && t.iEnd - a >= kSideI) {
        fillFullBlock(t, a, b);
      } else {
        fillEdgeBlock(t, a, upTo(kSideI, t.iEnd - a), b, upTo(kSideJ, t.jEnd - b));
      }
    }
  }
  prefetchRuns(nextUpper, prefetched, kTileSide);
  prefetchRuns(nextLower, prefetched, kTileSide);
}

void fillTable(const double* data, std::int32_t cols, std::int32_t rows, double* out) {
  const bool prefetch = cols <= kPrefetchColumns;
  const Runs none{nullptr, 0, 0, 0};
  for (TableTile t = firstTile(data, cols, rows, out); t.iBegin < t.rows;) {
    const TableTile next = nextTile(t);
    fillTile(t, prefetch ? upperRuns(next) : none, prefetch ? lowerRuns(next) : none);
    t = next;
  }
}

}  // namespace
