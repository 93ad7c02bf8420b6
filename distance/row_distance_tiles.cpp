#include "distance/row_distance_tiles.h"

#include <algorithm>
#include <cstring>

#include "common/no_contraction.h"

namespace {

constexpr std::ptrdiff_t kCellsPerLine = 8;

// The end of the band of tiles that starts at row `begin`.
std::ptrdiff_t bandEnd(const TableTile& t, std::ptrdiff_t begin) {
  return std::min(begin < t.origin ? t.origin : begin + kTileSide, t.rows);
}

TableTile tileAt(const TableTile& t, std::ptrdiff_t i0, std::ptrdiff_t j0) {
  return TableTile{t.data, t.cols, t.rows, t.out, i0, bandEnd(t, i0), j0, bandEnd(t, j0), t.origin};
}

}  // namespace

std::ptrdiff_t tileOrigin(const double* out, std::int32_t rows) {
  const auto address = reinterpret_cast<std::uintptr_t>(out);
  if (rows % kCellsPerLine != 0 || address % sizeof(double) != 0) return 0;
  const std::uintptr_t cell = address / sizeof(double) % kCellsPerLine;
  return static_cast<std::ptrdiff_t>((kCellsPerLine - cell) % kCellsPerLine);
}

TableTile firstTile(const double* data, std::int32_t cols, std::int32_t rows, double* out) {
  return tileAt(TableTile{data, cols, rows, out, 0, 0, 0, 0, tileOrigin(out, rows)}, 0, 0);
}

// Tiles begin where the tile before them ends.
TableTile nextTile(const TableTile& t) {
  if (t.jEnd < t.rows) return tileAt(t, t.iBegin, t.jEnd);
  return tileAt(t, t.iEnd, t.iEnd);
}

Runs upperRuns(const TableTile& t) {
  if (t.iBegin >= t.rows) return Runs{nullptr, 0, 0, 0};
  return Runs{t.out + (t.iBegin + t.jBegin * t.rows), t.rows, t.jEnd - t.jBegin, t.iEnd - t.iBegin};
}

Runs lowerRuns(const TableTile& t) {
  if (t.iBegin >= t.rows || t.iBegin == t.jBegin) return Runs{nullptr, 0, 0, 0};
  return Runs{t.out + (t.jBegin + t.iBegin * t.rows), t.rows, t.iEnd - t.iBegin, t.jEnd - t.jBegin};
}

void storeEdgeBlock(const double* block, std::ptrdiff_t width, const TableTile& tile,
                    std::ptrdiff_t a, std::ptrdiff_t iCount, std::ptrdiff_t b,
                    std::ptrdiff_t jCount) {
  const std::ptrdiff_t m = tile.rows;
  for (std::ptrdiff_t r = 0; r < iCount; ++r) {
    for (std::ptrdiff_t c = 0; c < jCount; ++c) {
      const std::ptrdiff_t i = a + r;
      const std::ptrdiff_t j = b + c;
      if (i < j) {
        const double dist = block[r * width + c];
        tile.out[i + j * m] = dist;
        tile.out[j + i * m] = dist;
      } else if (i == j) {
        tile.out[i + i * m] = 0.0;
      }
    }
  }
}

void packRows(const TableTile& t, std::ptrdiff_t begin, std::ptrdiff_t end, std::ptrdiff_t k0,
              std::ptrdiff_t count, double* panel, std::ptrdiff_t stride) {
  const std::ptrdiff_t length = end - begin;
  for (std::ptrdiff_t c = 0; c < count; ++c) {
    double* to = panel + c * stride;
    std::memcpy(to, t.data + ((k0 + c) * t.rows + begin),
                static_cast<std::size_t>(length) * sizeof(double));
    std::fill(to + length, to + stride, 0.0);
  }
}
