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

inline Square noSquare() {
  const __m512d zero = _mm512_setzero_pd();
  return Square{zero, zero, zero, zero, zero, zero, zero, zero};
}

// Member r from from + r * kLanes, as storeSquare with that stride left it.
inline Square loadSquare(const double* from) {
  return Square{_mm512_loadu_pd(from),
                _mm512_loadu_pd(from + kLanes),
                _mm512_loadu_pd(from + 2 * kLanes),
                _mm512_loadu_pd(from + 3 * kLanes),
                _mm512_loadu_pd(from + 4 * kLanes),
                _mm512_loadu_pd(from + 5 * kLanes),
                _mm512_loadu_pd(from + 6 * kLanes),
                _mm512_loadu_pd(from + 7 * kLanes)};
}

// Narrow rows: 8 x 8 pairs, member c holding row b + c against rows a ... a + 7 in its
// lanes, so that the upper half takes the block as it is.
namespace squareBlocks {

constexpr std::ptrdiff_t kSideI = 8;
constexpr std::ptrdiff_t kSideJ = 8;
using Block = Square;

// Each lane sums its own pair, column by column, row i minus row j.
inline Block sumColumns(const double* rowsI, const double* rowsJ, std::ptrdiff_t count, Block s) {
  for (std::ptrdiff_t k = 0; k < count; ++k) {
    const double* const y = rowsJ + k * kTileSide;
    const __m512d x = _mm512_loadu_pd(rowsI + k * kPanelRows);
    addSquare(s.r0, x, _mm512_set1_pd(y[0]));
    addSquare(s.r1, x, _mm512_set1_pd(y[1]));
    addSquare(s.r2, x, _mm512_set1_pd(y[2]));
    addSquare(s.r3, x, _mm512_set1_pd(y[3]));
    addSquare(s.r4, x, _mm512_set1_pd(y[4]));
    addSquare(s.r5, x, _mm512_set1_pd(y[5]));
    addSquare(s.r6, x, _mm512_set1_pd(y[6]));
    addSquare(s.r7, x, _mm512_set1_pd(y[7]));
  }
  return s;
}

inline Block noSums() {
  return noSquare();
}

inline Block loadSums(const double* from) {
  return loadSquare(from);
}

inline void storeSums(double* to, const Block& s) {
  storeSquare(to, kLanes, s);
}

inline Block squareRoots(const Block& s) {
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

// Each lane sums its own pair, column by column, row i minus row j.
inline Block sumColumns(const double* rowsI, const double* rowsJ, std::ptrdiff_t count, Block s) {
  for (std::ptrdiff_t k = 0; k < count; ++k) {
    const double* const x = rowsI + k * kPanelRows;
    const __m512d rowsLow = _mm512_loadu_pd(rowsJ + k * kTileSide);
    const __m512d rowsHigh = _mm512_loadu_pd(rowsJ + (k * kTileSide + kLanes));
    addSquares(s.low.r0, s.high.r0, x[0], rowsLow, rowsHigh);
    addSquares(s.low.r1, s.high.r1, x[1], rowsLow, rowsHigh);
    addSquares(s.low.r2, s.high.r2, x[2], rowsLow, rowsHigh);
    addSquares(s.low.r3, s.high.r3, x[3], rowsLow, rowsHigh);
    addSquares(s.low.r4, s.high.r4, x[4], rowsLow, rowsHigh);
    addSquares(s.low.r5, s.high.r5, x[5], rowsLow, rowsHigh);
    addSquares(s.low.r6, s.high.r6, x[6], rowsLow, rowsHigh);
    addSquares(s.low.r7, s.high.r7, x[7], rowsLow, rowsHigh);
  }
  return s;
}

inline Block noSums() {
  return Block{noSquare(), noSquare()};
}

inline Block loadSums(const double* from) {
  return Block{loadSquare(from), loadSquare(from + kLanes * kLanes)};
}

inline void storeSums(double* to, const Block& s) {
  storeSquare(to, kLanes, s.low);
  storeSquare(to + kLanes * kLanes, kLanes, s.high);
}

inline Block squareRoots(const Block& s) {
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
