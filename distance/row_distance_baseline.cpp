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

// Rows past `count` read as 0.0.
inline __m128d loadTwo(const double* p, std::ptrdiff_t count) {
  if (count >= 2) return _mm_loadu_pd(p);
  return count == 1 ? _mm_load_sd(p) : _mm_setzero_pd();
}

inline Rows squareRoot(const Rows& v) {
  return Rows{_mm_sqrt_pd(v.low), _mm_sqrt_pd(v.high)};
}

// Each lane sums its own pair, column by column, row i minus row j, then takes the square
// root. Rows past iCount read 0.0 and columns past jCount repeat the last row, so an edge
// block reads no row past the matrix.
inline Block computeBlock(const TableTile& t, std::ptrdiff_t i, std::ptrdiff_t iCount,
                          std::ptrdiff_t j, std::ptrdiff_t jCount) {
  const std::ptrdiff_t jLast = jCount - 1;
  const std::ptrdiff_t j1 = upTo(1, jLast), j2 = upTo(2, jLast), j3 = upTo(3, jLast);
  const double* const data = t.data;
  const std::ptrdiff_t rows = t.rows;
  const std::ptrdiff_t cols = t.cols;
  const Rows zero{_mm_setzero_pd(), _mm_setzero_pd()};
  Block s{zero, zero, zero, zero};
  for (std::ptrdiff_t k = 0, column = 0; k < cols; ++k, column += rows) {
    const double* p = data + (column + i);
    const Rows rowsI{loadTwo(p, iCount), loadTwo(p + 2, iCount - 2)};
    const double* rowsJ = data + (column + j);
    addSquare(s.c0, rowsI, rowsJ[0]);
    addSquare(s.c1, rowsI, rowsJ[j1]);
    addSquare(s.c2, rowsI, rowsJ[j2]);
    addSquare(s.c3, rowsI, rowsJ[j3]);
  }
  return Block{squareRoot(s.c0), squareRoot(s.c1), squareRoot(s.c2), squareRoot(s.c3)};
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
