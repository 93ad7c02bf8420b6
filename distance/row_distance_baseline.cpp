// Baseline x86-64 tier of the distance table, SSE2 only: blocks of 4 x 4 pairs, each column
// of four rows held in two registers of two lanes, one pair per lane.

#include "common/no_contraction.h"
#include "distance/row_distance_tiers.h"

#if TIER_HAS_X86

#include <emmintrin.h>

#include <cstddef>

#include "distance/row_distance_tiles.h"

namespace {

constexpr std::ptrdiff_t kSideI = 4;
constexpr std::ptrdiff_t kSideJ = 4;

// Four rows of one column: rows 0 and 1 in `low`, rows 2 and 3 in `high`.
struct Rows {
  __m128d low;
  __m128d high;
};

// A block of 4 x 4 pairs, one register pair per column: row r of cN belongs to rows a + r
// and b + N. Named members rather than an array, so that compilers keep them in registers.
// While it holds sums, the lanes pair the rows of j two at a time, as loaded and as
// swapped (see sumColumns); squareRoots puts them back in this order.
struct Block {
  Rows c0, c1, c2, c3;
};

inline void addSquare(Rows& sum, const Rows& rowsI, __m128d rowsJ) {
  const __m128d dLow = _mm_sub_pd(rowsI.low, rowsJ);
  const __m128d dHigh = _mm_sub_pd(rowsI.high, rowsJ);
  sum.low = _mm_add_pd(sum.low, _mm_mul_pd(dLow, dLow));
  sum.high = _mm_add_pd(sum.high, _mm_mul_pd(dHigh, dHigh));
}

// The two lanes exchanged, without the register copy a two-lane shuffle of SSE2 needs.
inline __m128d swapLanes(__m128d v) {
  return _mm_castsi128_pd(_mm_shuffle_epi32(_mm_castpd_si128(v), 0x4E));
}

// Each lane sums its own pair, column by column, row i minus row j. SSE2 cannot broadcast
// from memory, so instead of one row of j in both lanes, each column loads rows b, b + 1
// and b + 2, b + 3 side by side, and the same swapped: row r of c0 sums the pair of rows
// a + r and b + r % 2, of c1 a + r and b + 1 - r % 2; c2 and c3 likewise with b + 2 and
// b + 3. That is two loads and two shuffles a column instead of four loads and four shuffles.
inline Block sumColumns(const double* rowsI, const double* rowsJ, std::ptrdiff_t count, Block s) {
  for (std::ptrdiff_t k = 0; k < count; ++k) {
    const double* const x = rowsI + k * kPanelRows;
    const Rows i{_mm_loadu_pd(x), _mm_loadu_pd(x + 2)};
    const double* const y = rowsJ + k * kTileSide;
    const __m128d near = _mm_loadu_pd(y);
    const __m128d far = _mm_loadu_pd(y + 2);
    addSquare(s.c0, i, near);
    addSquare(s.c1, i, swapLanes(near));
    addSquare(s.c2, i, far);
    addSquare(s.c3, i, swapLanes(far));
  }
  return s;
}

inline Block noSums() {
  const Rows zero{_mm_setzero_pd(), _mm_setzero_pd()};
  return Block{zero, zero, zero, zero};
}

inline Rows squareRoot(const Rows& v) {
  return Rows{_mm_sqrt_pd(v.low), _mm_sqrt_pd(v.high)};
}

// Lane 0 of `first`, lane 1 of `second`.
inline __m128d lanes(__m128d first, __m128d second) {
  return _mm_move_sd(second, first);
}

// Sums paired as sumColumns pairs them, straight and swapped, into one row of j a column.
inline void unswap(Rows& straight, Rows& swapped) {
  const Rows c{lanes(straight.low, swapped.low), lanes(straight.high, swapped.high)};
  const Rows d{lanes(swapped.low, straight.low), lanes(swapped.high, straight.high)};
  straight = c;
  swapped = d;
}

// The sums are put in order before the roots: the other way round, compilers may fold a
// lane move into a root and take a second root of a lane already taken.
inline Block squareRoots(Block s) {
  unswap(s.c0, s.c1);
  unswap(s.c2, s.c3);
  return Block{squareRoot(s.c0), squareRoot(s.c1), squareRoot(s.c2), squareRoot(s.c3)};
}

inline Rows loadRows(const double* p) {
  return Rows{_mm_loadu_pd(p), _mm_loadu_pd(p + 2)};
}

// Column c from from + 4 * c, as storeSums left it.
inline Block loadSums(const double* from) {
  return Block{loadRows(from), loadRows(from + 4), loadRows(from + 8), loadRows(from + 12)};
}

// Row c of column r becomes row r of column c, two-by-two sub-blocks at a time.
inline Block transpose(const Block& v) {
  return Block{Rows{_mm_unpacklo_pd(v.c0.low, v.c1.low), _mm_unpacklo_pd(v.c2.low, v.c3.low)},
               Rows{_mm_unpackhi_pd(v.c0.low, v.c1.low), _mm_unpackhi_pd(v.c2.low, v.c3.low)},
               Rows{_mm_unpacklo_pd(v.c0.high, v.c1.high), _mm_unpacklo_pd(v.c2.high, v.c3.high)},
               Rows{_mm_unpackhi_pd(v.c0.high, v.c1.high), _mm_unpackhi_pd(v.c2.high, v.c3.high)}};
}

inline void storeRows(double* p, const Rows& v) {
  _mm_storeu_pd(p, v.low);
  _mm_storeu_pd(p + 2, v.high);
}

// Column c goes to first + c * stride.
inline void storeColumns(double* first, std::ptrdiff_t stride, const Block& v) {
  storeRows(first, v.c0);
  storeRows(first + stride, v.c1);
  storeRows(first + 2 * stride, v.c2);
  storeRows(first + 3 * stride, v.c3);
}

inline void storeSums(double* to, const Block& s) {
  storeColumns(to, 4, s);
}

// The lanes of a column are rows a + r, so the upper half takes the block as it is.
inline void storeUpper(double* first, std::ptrdiff_t stride, const Block& v) {
  storeColumns(first, stride, v);
}

inline void storeLower(double* first, std::ptrdiff_t stride, const Block& v) {
  storeColumns(first, stride, transpose(v));
}

}  // namespace

TIER_BEGIN_BASELINE
#include "distance/row_distance_tile_walk.h"

void fillRowDistancesBaseline(const double* data, std::int32_t cols, std::int32_t rows,
                              double* out) {
  fillTable(data, cols, rows, out);
}

#endif
