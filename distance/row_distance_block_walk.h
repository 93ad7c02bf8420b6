// The walk over the blocks of one tile, the same for every tier. Each tier's file includes
// this inside its target region, after every other header, so that it is compiled once per
// tier with that tier's instructions; the unnamed namespace keeps each copy to its file.
//
// The tier's file defines, in its unnamed namespace:
//   kWidth: the side of its square block of pairs;
//   Block computeBlock(tile, i, iCount, j, jLast): the distances of rows i + r and j + c
//     for r < iCount and c <= jLast, one column of the block per c;
//   Block transpose(block), and storeBlock(first, block): column c to first + c * kTileSide.
// Nothing here includes a header: row_distance_tiles.h comes first, outside the region.

namespace {

// Rows a + r and b + c of the tile, to both buffers as TableTile describes.
inline void fillBlock(const TableTile& t, std::ptrdiff_t a, std::ptrdiff_t iCount, std::ptrdiff_t b,
                      std::ptrdiff_t jCount) {
  const Block dist = computeBlock(t, t.iBegin + a, iCount, t.jBegin + b, jCount - 1);
  storeBlock(t.upper + (a + b * kTileSide), dist);
  storeBlock(t.lower + (b + a * kTileSide), transpose(dist));
}

// Full blocks get constant counts, so that the compiler drops the edge handling from them.
void computeTile(const TableTile& t) {
  const bool onDiagonal = t.iBegin == t.jBegin;
  for (std::ptrdiff_t a = 0; a < t.iCount; a += kWidth) {
    const std::ptrdiff_t iCount = t.iCount - a < kWidth ? t.iCount - a : kWidth;
    for (std::ptrdiff_t b = onDiagonal ? a : 0; b < t.jCount; b += kWidth) {
      if (iCount == kWidth && t.jCount - b >= kWidth) {
        fillBlock(t, a, kWidth, b, kWidth);
      } else {
        fillBlock(t, a, iCount, b, t.jCount - b < kWidth ? t.jCount - b : kWidth);
      }
    }
  }
}

}  // namespace
