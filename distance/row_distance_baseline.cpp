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
struct Block {
  Rows c0, c1, c2, c3;
};

inline void addSquare(Rows& sum, const Rows& rowsI, double rowJ) {
  const __m128d other = _mm_set1_pd(rowJ);
  const __m128d dLow = _mm_sub_pd(rowsI.low, other);
  const __m128d dHigh = _mm_sub_pd(rowsI.high, other);
  sum.low = _mm_add_pd(sum.low, _mm_mul_pd(dLow, dLow));
  sum.high = _mm_add_pd(sum.high, _mm_mul_pd(dHigh, dHigh));
}

inline Rows squareRoot(const Rows& v) {
  return Rows{_mm_sqrt_pd(v.low), _mm_sqrt_pd(v.high)};
}

// Each lane sums its own pair, column by column, row i minus row j.
inline Block sumColumns(const double* rowsI, const double* rowsJ, std::ptrdiff_t count, Block s) {
  for (std::ptrdiff_t k = 0; k < count; ++k) {
    const double* const x = rowsI + k * kPanelRows;
    const Rows i{_mm_loadu_pd(x), _mm_loadu_pd(x + 2)};
    const double* const y = rowsJ + k * kTileSide;
    addSquare(s.c0, i, y[0]);
    addSquare(s.c1, i, y[1]);
    addSquare(s.c2, i, y[2]);
    addSquare(s.c3, i, y[3]);
  }
  return s;
}

inline Block noSums() {
  const Rows zero{_mm_setzero_pd(), _mm_setzero_pd()};
  return Block{zero, zero, zero, zero};
}

inline Block squareRoots(const Block& s) {
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
