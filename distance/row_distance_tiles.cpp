#include "distance/row_distance_tiles.h"

#include <algorithm>
#include <cstring>

#include "common/tier_target.h"

#if defined(_MSC_VER) && !defined(__clang__) && TIER_HAS_X86
#include <intrin.h>
#endif

namespace {

// Cells per cache line.
constexpr std::ptrdiff_t kLine = 8;

// Asks for the line holding `p` in a state that lets it be written without a further
// request. Every x86-64 processor accepts the instruction (those without it take it for a
// no-op); elsewhere the compiler's write prefetch, or nothing.
inline void prefetchForWrite(const double* p) {
#if TIER_HAS_X86 && (defined(__GNUC__) || defined(__clang__))
  __asm__ volatile("prefetchw %0" : : "m"(*p));
#elif TIER_HAS_X86 && defined(_MSC_VER)
  _m_prefetchw(p);
#elif defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(p, 1, 3);
#else
  (void)p;
#endif
}

// Where one buffer of a tile goes: `count` runs of `length` cells, run c at
// first + c * stride.
struct Runs {
  double* first;
  std::ptrdiff_t stride;
  std::ptrdiff_t count;
  std::ptrdiff_t length;
};

constexpr Runs kNoRuns{nullptr, 0, 0, 0};

Runs upperRuns(double* out, std::ptrdiff_t m, const TableTile& t) {
  return Runs{out + (t.iBegin + t.jBegin * m), m, t.jCount, t.iCount};
}

Runs lowerRuns(double* out, std::ptrdiff_t m, const TableTile& t) {
  return Runs{out + (t.jBegin + t.iBegin * m), m, t.iCount, t.jCount};
}

void prefetchRun(const Runs& r, std::ptrdiff_t c) {
  if (c >= r.count) return;
  const double* run = r.first + c * r.stride;
  for (std::ptrdiff_t k = 0; k < r.length; k += kLine) prefetchForWrite(run + k);
  prefetchForWrite(run + (r.length - 1));
}

// Writes buffer column c to run c, and meanwhile asks for the lines of the next tile's
// runs, so that they are at hand when that tile is written: without this, a table that
// is not in cache is read line by line in a pattern the processor cannot foresee.
void writeRuns(const double* buffer, const Runs& to, const Runs& nextUpper, const Runs& nextLower) {
  for (std::ptrdiff_t c = 0; c < kTileSide; ++c) {
    prefetchRun(nextUpper, c);
    prefetchRun(nextLower, c);
    if (c < to.count) {
      std::memcpy(to.first + c * to.stride, buffer + c * kTileSide,
                  static_cast<std::size_t>(to.length) * sizeof(double));
    }
  }
}

// A tile on the diagonal is its own mirror image: below its diagonal it takes the
// transpose of what lies above, and its diagonal is 0.0.
void mirrorDiagonalTile(double* upper, const double* lower, std::ptrdiff_t count) {
  for (std::ptrdiff_t c = 0; c < count; ++c) {
    double* column = upper + c * kTileSide;
    const double* transposed = lower + c * kTileSide;
    column[c] = 0.0;
    for (std::ptrdiff_t r = c + 1; r < count; ++r) column[r] = transposed[r];
  }
}

}  // namespace

void fillByTiles(const double* data, std::int32_t cols, std::int32_t rows, double* out,
                 TileComputer compute) {
  alignas(64) double upper[kTileSide * kTileSide];
  alignas(64) double lower[kTileSide * kTileSide];
  const std::ptrdiff_t m = rows;
  const auto tileAt = [&](std::ptrdiff_t i0, std::ptrdiff_t j0) {
    return TableTile{
        data,  cols, m, i0, std::min(kTileSide, m - i0), j0, std::min(kTileSide, m - j0),
        upper, lower};
  };
  // Tile rows in order, each from the diagonal rightwards.
  for (std::ptrdiff_t i0 = 0; i0 < m; i0 += kTileSide) {
    for (std::ptrdiff_t j0 = i0; j0 < m; j0 += kTileSide) {
      const TableTile t = tileAt(i0, j0);
      const std::ptrdiff_t nextI = j0 + kTileSide < m ? i0 : i0 + kTileSide;
      const std::ptrdiff_t nextJ = j0 + kTileSide < m ? j0 + kTileSide : nextI;
      const TableTile next = tileAt(nextI, nextJ);
      const Runs nextUpper = nextI < m ? upperRuns(out, m, next) : kNoRuns;
      const Runs nextLower = nextI < m && nextI != nextJ ? lowerRuns(out, m, next) : kNoRuns;
      compute(t);
      if (i0 == j0) {
        mirrorDiagonalTile(upper, lower, t.iCount);
        writeRuns(upper, upperRuns(out, m, t), nextUpper, nextLower);
      } else {
        writeRuns(upper, upperRuns(out, m, t), nextUpper, kNoRuns);
        writeRuns(lower, lowerRuns(out, m, t), kNoRuns, nextLower);
      }
    }
  }
}
