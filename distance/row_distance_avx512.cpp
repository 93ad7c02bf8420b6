// AVX-512 tier of the distance table: eight pairs per instruction, one pair per lane. Wide
// rows take blocks of 8 x 16 pairs, which load the fewest values per vector step; narrow
// rows take square blocks of 8 x 8, whose pattern of stores keeps the table's writes
// closest to writing it once.

#include "common/avx512_diagnostics.h"
#include "common/no_contraction.h"
#include "distance/row_distance_tiers.h"

#if TIER_HAS_X86

#include <immintrin.h>

#include <cstddef>

#include "distance/row_distance_tiles.h"

TIER_BEGIN_AVX512

namespace {

constexpr std::ptrdiff_t kLanes = 8;

// From this many columns on, the wide blocks' fewer loads outweigh the square blocks'
// stores. Measured on an AMD EPYC (Zen 5), 4000 rows: square blocks 1.5x their arithmetic
// floor at 32 and 64 columns against 1.6x wide, even at 128, wide ahead at 256; at 3
// columns the wide blocks took 8.4 to 9.3 ms against 7.4 to 7.7 ms.
constexpr std::int32_t kWideColumns = 128;

// Eight vectors of eight pairs. Named members rather than an array, so that compilers keep
// them in registers.
struct Square {
  __m512d r0, r1, r2, r3, r4, r5, r6, r7;
};

// d = rowsI - rowsJ, one of them a single row broadcast to every lane.
inline void addSquare(__m512d& sum, __m512d rowsI, __m512d rowsJ) {
  const __m512d d = _mm512_sub_pd(rowsI, rowsJ);
  sum = _mm512_add_pd(sum, _mm512_mul_pd(d, d));
}

// The lanes of the first `count` rows, none when count <= 0.
inline __mmask8 laneMask(std::ptrdiff_t count) {
  if (count >= kLanes) return static_cast<__mmask8>(0xFF);
  return count <= 0 ? static_cast<__mmask8>(0) : static_cast<__mmask8>((1u << count) - 1u);
}

inline Square squareRoot(const Square& v) {
  return Square{_mm512_sqrt_pd(v.r0), _mm512_sqrt_pd(v.r1), _mm512_sqrt_pd(v.r2),
                _mm512_sqrt_pd(v.r3), _mm512_sqrt_pd(v.r4), _mm512_sqrt_pd(v.r5),
                _mm512_sqrt_pd(v.r6), _mm512_sqrt_pd(v.r7)};
}

// Lane c of member r becomes lane r of member c.
inline Square transpose(const Square& v) {
  const __m512d p0 = _mm512_unpacklo_pd(v.r0, v.r1), p1 = _mm512_unpackhi_pd(v.r0, v.r1);
  const __m512d p2 = _mm512_unpacklo_pd(v.r2, v.r3), p3 = _mm512_unpackhi_pd(v.r2, v.r3);
  const __m512d p4 = _mm512_unpacklo_pd(v.r4, v.r5), p5 = _mm512_unpackhi_pd(v.r4, v.r5);
  const __m512d p6 = _mm512_unpacklo_pd(v.r6, v.r7), p7 = _mm512_unpackhi_pd(v.r6, v.r7);
  const __m512d q0 = _mm512_shuffle_f64x2(p0, p2, 0x88), q1 = _mm512_shuffle_f64x2(p1, p3, 0x88);
  const __m512d q2 = _mm512_shuffle_f64x2(p0, p2, 0xDD), q3 = _mm512_shuffle_f64x2(p1, p3, 0xDD);
  const __m512d q4 = _mm512_shuffle_f64x2(p4, p6, 0x88), q5 = _mm512_shuffle_f64x2(p5, p7, 0x88);
  const __m512d q6 = _mm512_shuffle_f64x2(p4, p6, 0xDD), q7 = _mm512_shuffle_f64x2(p5, p7, 0xDD);
  return Square{_mm512_shuffle_f64x2(q0, q4, 0x88), _mm512_shuffle_f64x2(q1, q5, 0x88),
                _mm512_shuffle_f64x2(q2, q6, 0x88), _mm512_shuffle_f64x2(q3, q7, 0x88),
                _mm512_shuffle_f64x2(q0, q4, 0xDD), _mm512_shuffle_f64x2(q1, q5, 0xDD),
                _mm512_shuffle_f64x2(q2, q6, 0xDD), _mm512_shuffle_f64x2(q3, q7, 0xDD)};
}

// Member r goes to first + r * stride.
inline void storeSquare(double* first, std::ptrdiff_t stride, const Square& v) {
  _mm512_storeu_pd(first, v.r0);
  _mm512_storeu_pd(first + stride, v.r1);
  _mm512_storeu_pd(first + 2 * stride, v.r2);
  _mm512_storeu_pd(first + 3 * stride, v.r3);
  _mm512_storeu_pd(first + 4 * stride, v.r4);
  _mm512_storeu_pd(first + 5 * stride, v.r5);
  _mm512_storeu_pd(first + 6 * stride, v.r6);
  _mm512_storeu_pd(first + 7 * stride, v.r7);
}

// Narrow rows: 8 x 8 pairs, member c holding row b + c against rows a ... a + 7 in its
// lanes, so that the upper half takes the block as it is.
namespace squareBlocks {

constexpr std::ptrdiff_t kSideI = 8;
constexpr std::ptrdiff_t kSideJ = 8;
using Block = Square;

// Each lane sums its own pair, column by column, row i minus row j, then takes the square
// root. Rows of i past iCount read 0.0 and rows of j past jCount repeat the last one, so
// an edge block reads no row past the matrix.
inline Block computeBlock(const TableTile& t, std::ptrdiff_t a, std::ptrdiff_t iCount,
                          std::ptrdiff_t b, std::ptrdiff_t jCount) {
  const __mmask8 iMask = laneMask(iCount);
  const std::ptrdiff_t jLast = jCount - 1;
  const std::ptrdiff_t b1 = b + upTo(1, jLast), b2 = b + upTo(2, jLast), b3 = b + upTo(3, jLast);
  const std::ptrdiff_t b4 = b + upTo(4, jLast), b5 = b + upTo(5, jLast), b6 = b + upTo(6, jLast);
  const std::ptrdiff_t b7 = b + upTo(7, jLast);
  const double* const data = t.data;
  const std::ptrdiff_t rows = t.rows;
  const std::ptrdiff_t cols = t.cols;
  const __m512d zero = _mm512_setzero_pd();
  Square s{zero, zero, zero, zero, zero, zero, zero, zero};
  for (std::ptrdiff_t k = 0, column = 0; k < cols; ++k, column += rows) {
    const double* const x = data + column;
    const __m512d rowsI = _mm512_maskz_loadu_pd(iMask, x + a);
    addSquare(s.r0, rowsI, _mm512_set1_pd(x[b]));
    addSquare(s.r1, rowsI, _mm512_set1_pd(x[b1]));
    addSquare(s.r2, rowsI, _mm512_set1_pd(x[b2]));
    addSquare(s.r3, rowsI, _mm512_set1_pd(x[b3]));
    addSquare(s.r4, rowsI, _mm512_set1_pd(x[b4]));
    addSquare(s.r5, rowsI, _mm512_set1_pd(x[b5]));
    addSquare(s.r6, rowsI, _mm512_set1_pd(x[b6]));
    addSquare(s.r7, rowsI, _mm512_set1_pd(x[b7]));
  }
  return squareRoot(s);
}

inline void storeUpper(double* first, std::ptrdiff_t stride, const Block& v) {
  storeSquare(first, stride, v);
}

inline void storeLower(double* first, std::ptrdiff_t stride, const Block& v) {
  storeSquare(first, stride, transpose(v));
}

#include "distance/row_distance_tile_walk.h"

}  // namespace squareBlocks

// Wide rows: rows a ... a + 7 against rows b ... b + 7 in `low` and b + 8 ... b + 15 in
// `high`, member r holding row a + r: sixteen independent sums, and each column's values
// loaded once for sixteen vector steps.
namespace wideBlocks {

constexpr std::ptrdiff_t kSideI = 8;
constexpr std::ptrdiff_t kSideJ = 16;

struct Block {
  Square low, high;
};

// Row i of the column, taken once for both registers of row j.
inline void addSquares(__m512d& low, __m512d& high, double rowI, __m512d rowsLow,
                       __m512d rowsHigh) {
  const __m512d i = _mm512_set1_pd(rowI);
  addSquare(low, i, rowsLow);
  addSquare(high, i, rowsHigh);
}

// Each lane sums its own pair, column by column, row i minus row j, then takes the square
// root. Rows of i past iCount repeat the last one and rows of j past jCount read 0.0, so
// an edge block reads no row past the matrix.
inline Block computeBlock(const TableTile& t, std::ptrdiff_t a, std::ptrdiff_t iCount,
                          std::ptrdiff_t b, std::ptrdiff_t jCount) {
  const std::ptrdiff_t iLast = iCount - 1;
  const std::ptrdiff_t a1 = a + upTo(1, iLast), a2 = a + upTo(2, iLast), a3 = a + upTo(3, iLast);
  const std::ptrdiff_t a4 = a + upTo(4, iLast), a5 = a + upTo(5, iLast), a6 = a + upTo(6, iLast);
  const std::ptrdiff_t a7 = a + upTo(7, iLast);
  const __mmask8 lowMask = laneMask(jCount), highMask = laneMask(jCount - kLanes);
  const double* const data = t.data;
  const std::ptrdiff_t rows = t.rows;
  const std::ptrdiff_t cols = t.cols;
  const __m512d zero = _mm512_setzero_pd();
  const Square none{zero, zero, zero, zero, zero, zero, zero, zero};
  Block s{none, none};
  for (std::ptrdiff_t k = 0, column = 0; k < cols; ++k, column += rows) {
    const double* const x = data + column;
    const __m512d rowsLow = _mm512_maskz_loadu_pd(lowMask, x + b);
    const __m512d rowsHigh = _mm512_maskz_loadu_pd(highMask, x + (b + kLanes));
    addSquares(s.low.r0, s.high.r0, x[a], rowsLow, rowsHigh);
    addSquares(s.low.r1, s.high.r1, x[a1], rowsLow, rowsHigh);
    addSquares(s.low.r2, s.high.r2, x[a2], rowsLow, rowsHigh);
    addSquares(s.low.r3, s.high.r3, x[a3], rowsLow, rowsHigh);
    addSquares(s.low.r4, s.high.r4, x[a4], rowsLow, rowsHigh);
    addSquares(s.low.r5, s.high.r5, x[a5], rowsLow, rowsHigh);
    addSquares(s.low.r6, s.high.r6, x[a6], rowsLow, rowsHigh);
    addSquares(s.low.r7, s.high.r7, x[a7], rowsLow, rowsHigh);
  }
  return Block{squareRoot(s.low), squareRoot(s.high)};
}

inline void storeLower(double* first, std::ptrdiff_t stride, const Block& v) {
  storeSquare(first, stride, v.low);
  storeSquare(first + kLanes, stride, v.high);
}

inline void storeUpper(double* first, std::ptrdiff_t stride, const Block& v) {
  storeSquare(first, stride, transpose(v.low));
  storeSquare(first + kLanes * stride, stride, transpose(v.high));
}

#include "distance/row_distance_tile_walk.h"

}  // namespace wideBlocks

}  // namespace

TIER_END

void fillRowDistancesAvx512(const double* data, std::int32_t cols, std::int32_t rows, double* out) {
  if (cols < kWideColumns) {
    squareBlocks::fillTable(data, cols, rows, out);
  } else {
    wideBlocks::fillTable(data, cols, rows, out);
  }
}

#endif
