// The walk over the tiles of the table and the blocks of each tile, the same for every
// tier. Each tier's file includes this inside its target region, after every other
// header, so that it is compiled once per tier with that tier's instructions; the unnamed
// namespace keeps each copy to its file.
//
// The tier's file defines, in its unnamed namespace:
//   kSideI, kSideJ: the block of pairs, rows a + r (r < kSideI) against rows b + c
//     (c < kSideJ); one side is a multiple of the other, and both divide kPanelRows;
//   Block: the block's kSideI * kSideJ sums, then its distances;
//   Block noSums(): every sum 0.0;
//   Block sumColumns(rowsI, rowsJ, count, sums): `sums` plus the squared differences of
//     `count` columns of the panels, in column order: column k's row a + r at
//     rowsI[k * kPanelRows + r], its row b + c at rowsJ[k * kTileSide + c];
//   Block squareRoots(sums);
//   storeSums(to, sums), Block loadSums(from): the sums to and from kSideI * kSideJ cells;
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
inline void storeFullBlock(const TableTile& t, std::ptrdiff_t a, std::ptrdiff_t b,
                           const Block& dist) {
  storeLower(t.out + (b + a * t.rows), t.rows, dist);
  storeUpper(t.out + (a + b * t.rows), t.rows, dist);
}

void storePartBlock(const TableTile& t, std::ptrdiff_t a, std::ptrdiff_t iCount, std::ptrdiff_t b,
                    std::ptrdiff_t jCount, const Block& dist) {
  double block[kSideI * kSideJ];
  storeLower(block, kSideJ, dist);
  storeEdgeBlock(block, kSideJ, t, a, iCount, b, jCount);
}

// The partial sums of one panel's blocks, kept from one chunk of columns to the next.
constexpr std::ptrdiff_t kBlockCells = kSideI * kSideJ;
constexpr std::ptrdiff_t kBlocksAcross = kTileSide / kSideJ;
constexpr std::ptrdiff_t kSumCells = kPanelRows / kSideI * kBlocksAcross * kBlockCells;

// A tile's space: both panels of a chunk, then the partial sums. A matrix this narrow is
// taken in one chunk instead, whose panels fill the space, so that no sums are stored and
// read back and the tile's other rows are packed once for all its panels.
constexpr std::ptrdiff_t kPanelColumnCells = kPanelRows + kTileSide;
constexpr std::ptrdiff_t kPanelSpace = kChunkColumns * kPanelColumnCells + kSumCells;
constexpr std::ptrdiff_t kOneChunkColumns = kPanelSpace / kPanelColumnCells;

// A row of blocks asks for its share of the next tile's runs, kSideI above the diagonal and
// as many below, this many of each with each of its blocks until the share is asked for.
// Asked for all at once, the lines outnumber the misses a core keeps in flight and the
// requests wait: spread, 4000 x 32 took 1.51-1.53x its arithmetic floor rather than
// 1.59-1.60x (AMD EPYC, Zen 3, AVX2 tier).
constexpr std::ptrdiff_t kRunsPerBlock = kBlockCells > kTileSide ? kBlockCells / kTileSide : 1;

// packRows into a panel of kStride rows per column. A panel of whole rows is copied in this
// tier's instructions: the calls to the library's copy and fill per column took about a
// sixth of the time at 4000 x 256 (AMD EPYC, Zen 5, AVX-512 tier). Partial panels, at the
// table's edge only, stay out of line in packRows: copied here as well, or with a fixed-size
// memcpy for whole ones, the AVX2 tier's walk came out 7-8 % slower there.
template <std::ptrdiff_t kStride>
inline void packPanel(const TableTile& t, std::ptrdiff_t begin, std::ptrdiff_t end,
                      std::ptrdiff_t k0, std::ptrdiff_t count, double* panel) {
  if (end - begin < kStride) {
    packRows(t, begin, end, k0, count, panel, kStride);
    return;
  }
  const double* from = t.data + (k0 * t.rows + begin);
  for (std::ptrdiff_t c = 0; c < count; ++c, from += t.rows, panel += kStride) {
    for (std::ptrdiff_t r = 0; r < kStride; ++r) panel[r] = from[r];
  }
}

// Rows [p, pEnd) of the tile (one panel) against the tile's other rows, chunk after chunk
// of columns, so that every block reads its rows from the panels. With kPrefetchNext, each
// row of blocks of the last chunk also prefetches its share of the next tile's runs, so
// that the requests are spread over the time the tile takes. On the diagonal, a row of blocks
// starts at the block of columns that holds its first row: the pairs left of it are the mirror
// images of pairs an earlier row of blocks computes. `space` (kPanelSpace cells) is the tile's:
// taken in one chunk, the tile's other rows are packed by its first panel only.
template <bool kPrefetchNext>
void fillPanel(const TableTile& t, std::ptrdiff_t p, std::ptrdiff_t pEnd, const Runs& nextUpper,
               const Runs& nextLower, double* space) {
  const std::ptrdiff_t chunk = t.cols <= kOneChunkColumns ? t.cols : kChunkColumns;
  const bool packedJ = chunk == t.cols && p != t.iBegin;
  double* const rowsI = space;
  double* const rowsJ = rowsI + chunk * kPanelRows;
  double* const sums = rowsJ + chunk * kTileSide;
  const bool onDiagonal = t.iBegin == t.jBegin;
  for (std::ptrdiff_t k0 = 0;; k0 += chunk) {
    const std::ptrdiff_t count = upTo(chunk, t.cols - k0);
    const bool firstChunk = k0 == 0;
    const bool lastChunk = k0 + count >= t.cols;
    packPanel<kPanelRows>(t, p, pEnd, k0, count, rowsI);
    if (!packedJ) packPanel<kTileSide>(t, t.jBegin, t.jEnd, k0, count, rowsJ);
    // The next chunk's columns are asked for a column per block, while this one is summed.
    std::ptrdiff_t ahead = k0 + chunk;
    const std::ptrdiff_t aheadEnd = upTo(ahead + chunk, t.cols);
    std::ptrdiff_t prefetched = p - t.iBegin;
    for (std::ptrdiff_t a = p; a < pEnd; a += kSideI) {
      const std::ptrdiff_t first =
          onDiagonal ? t.jBegin + (a - t.jBegin) / kSideJ * kSideJ : t.jBegin;
      std::ptrdiff_t run = 0;
      for (std::ptrdiff_t b = first; b < t.jEnd; b += kSideJ) {
        if (kPrefetchNext && lastChunk && run < kSideI) {
          prefetchRuns(nextUpper, prefetched + run, prefetched + run + kRunsPerBlock);
          prefetchRuns(nextLower, prefetched + run, prefetched + run + kRunsPerBlock);
          run += kRunsPerBlock;
        }
        if (ahead < aheadEnd) {
          prefetchColumn(t, p, pEnd, ahead);
          prefetchColumn(t, t.jBegin, t.jEnd, ahead);
          ++ahead;
        }
        double* const blockSums =
            sums + ((a - p) / kSideI * kBlocksAcross + (b - t.jBegin) / kSideJ) * kBlockCells;
        const Block s = sumColumns(rowsI + (a - p), rowsJ + (b - t.jBegin), count,
                                   firstChunk ? noSums() : loadSums(blockSums));
        if (!lastChunk) {
          storeSums(blockSums, s);
        } else if (b >= a + kSideI && t.jEnd - b >= kSideJ && pEnd - a >= kSideI) {
          storeFullBlock(t, a, b, squareRoots(s));
        } else {
          storePartBlock(t, a, upTo(kSideI, pEnd - a), b, upTo(kSideJ, t.jEnd - b), squareRoots(s));
        }
      }
      if (kPrefetchNext && lastChunk) {
        prefetchRuns(nextUpper, prefetched + run, prefetched + kSideI);
        prefetchRuns(nextLower, prefetched + run, prefetched + kSideI);
        prefetched += kSideI;
      }
    }
    if (lastChunk) break;
  }
}

template <bool kPrefetchNext>
void fillTile(const TableTile& t, const Runs& nextUpper, const Runs& nextLower) {
  alignas(64) double space[kPanelSpace];
  for (std::ptrdiff_t p = t.iBegin; p < t.iEnd; p += kPanelRows) {
    fillPanel<kPrefetchNext>(t, p, upTo(p + kPanelRows, t.iEnd), nextUpper, nextLower, space);
  }
  if (kPrefetchNext) {
    const std::ptrdiff_t prefetched = (t.iEnd - t.iBegin + kSideI - 1) / kSideI * kSideI;
    prefetchRuns(nextUpper, prefetched, kTileSide);
    prefetchRuns(nextLower, prefetched, kTileSide);
  }
}

void fillTable(const double* data, std::int32_t cols, std::int32_t rows, double* out) {
  const bool prefetch = cols <= kPrefetchColumns;
  const Runs none{nullptr, 0, 0, 0};
  for (TableTile t = firstTile(data, cols, rows, out); t.iBegin < t.rows;) {
    const TableTile next = nextTile(t);
    if (prefetch) {
      fillTile<true>(t, upperRuns(next), lowerRuns(next));
    } else {
      fillTile<false>(t, none, none);
    }
    t = next;
  }
}

}  // namespace
