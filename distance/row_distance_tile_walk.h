// The walk over the tiles of the table and the blocks of each tile, the same for every
// tier. Each tier's file includes this inside its target region, after every other
// header, so that it is compiled once per tier with that tier's instructions; the unnamed
// namespace keeps each copy to its file.
//
// The tier's file defines, in its unnamed namespace:
//   kWidth: the side of its square block of pairs;
//   Block computeBlock(tile, a, iCount, b, jLast): the distances of rows a + r and b + c
//     for r < iCount and c <= jLast, one column of the block per c;
//   Block transpose(block), and storeBlock(first, stride, block): column c to
//     first + c * stride.
// Nothing here includes a header: row_distance_tiles.h comes first, outside the region.

namespace {

// A full block above the diagonal: its columns go to the upper half, its transpose to the
// lower half.
inline void fillFullBlock(const TableTile& t, std::ptrdiff_t a, std::ptrdiff_t b) {
  const Block dist = computeBlock(t, a, kWidth, b, kWidth - 1);
  storeBlock(t.out + (a + b * t.rows), t.rows, dist);
  storeBlock(t.out + (b + a * t.rows), t.rows, transpose(dist));
}

void fillEdgeBlock(const TableTile& t, std::ptrdiff_t a, std::ptrdiff_t iCount, std::ptrdiff_t b,
                   std::ptrdiff_t jCount) {
  double block[kWidth * kWidth];
  storeBlock(block, kWidth, computeBlock(t, a, iCount, b, jCount - 1));
  storeEdgeBlock(block, kWidth, t, a, iCount, b, jCount);
}

// Each row of blocks also prefetches its share of the next tile's runs, so that the
// requests are spread over the time the tile takes.
void fillTile(const TableTile& t, const Runs& nextUpper, const Runs& nextLower) {
  const bool onDiagonal = t.iBegin == t.jBegin;
  std::ptrdiff_t prefetched = 0;
  for (std::ptrdiff_t a = t.iBegin; a < t.iEnd; a += kWidth, prefetched += kWidth) {
    prefetchRuns(nextUpper, prefetched, prefetched + kWidth);
    prefetchRuns(nextLower, prefetched, prefetched + kWidth);
    for (std::ptrdiff_t b = onDiagonal ? a : t.jBegin; b < t.jEnd; b += kWidth) {
      if (b != a && t.jEnd - b >= kWidth && t.iEnd - a >= kWidth) {
        fillFullBlock(t, a, b);
      } else {
        fillEdgeBlock(t, a, upTo(kWidth, t.iEnd - a), b, upTo(kWidth, t.jEnd - b));
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
