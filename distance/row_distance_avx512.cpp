// AVX-512 tier of the distance table: eight pairs per instruction, one pair per lane.

#include "common/no_contraction.h"
#include "distance/row_distance_tiers.h"

#if TIER_HAS_X86

// GCC 12 takes the undefined pass-through operand inside the AVX-512 intrinsics for a read
// of an uninitialised variable.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include <immintrin.h>

#include <cstddef>

#include "distance/row_distance_tiles.h"

TIER_BEGIN_AVX512

namespace {

constexpr std::ptrdiff_t kWidth = 8;

// A block of 8 x 8 pairs, one register per column: lane r of cN belongs to rows a + r and
// b + N. Named members rather than an array, so that compilers keep them in registers.
struct Block {
  __m512d c0, c1, c2, c3, c4, c5, c6, c7;
};

inline void addSquare(__m512d& sum, __m512d rowsI, double rowJ) {
  const __m512d d = _mm512_sub_pd(rowsI, _mm512_set1_pd(rowJ));
  sum = _mm512_add_pd(sum, _mm512_mul_pd(d, d));
}

// Each lane sums its own pair, column by column, row i minus row j, then takes the square
// root. Rows past iCount read 0.0 and columns past jLast repeat row j + jLast, so an edge
// block reads no row past the matrix.
inline Block computeBlock(const TableTile& t, std::ptrdiff_t i, std::ptrdiff_t iCount,
                          std::ptrdiff_t j, std::ptrdiff_t jLast) {
  const __mmask8 iMask = static_cast<__mmask8>((1u << iCount) - 1u);
  const std::ptrdiff_t j1 = upTo(1, jLast), j2 = upTo(2, jLast), j3 = upTo(3, jLast);
  const std::ptrdiff_t j4 = upTo(4, jLast), j5 = upTo(5, jLast), j6 = upTo(6, jLast);
  const std::ptrdiff_t j7 = upTo(7, jLast);
  const double* const data = t.data;
  const std::ptrdiff_t rows = t.rows;
  const std::ptrdiff_t cols = t.cols;
  const __m512d zero = _mm512_setzero_pd();
  Block s{zero, zero, zero, zero, zero, zero, zero, zero};
  for (std::ptrdiff_t k = 0, column = 0; k < cols; ++k, column += rows) {
    const __m512d rowsI = _mm512_maskz_loadu_pd(iMask, data + (column + i));
    const double* rowsJ = data + (column + j);
    addSquare(s.c0, rowsI, rowsJ[0]);
    addSquare(s.c1, rowsI, rowsJ[j1]);
    addSquare(s.c2, rowsI, rowsJ[j2]);
    addSquare(s.c3, rowsI, rowsJ[j3]);
    addSquare(s.c4, rowsI, rowsJ[j4]);
    addSquare(s.c5, rowsI, rowsJ[j5]);
    addSquare(s.c6, rowsI, rowsJ[j6]);
    addSquare(s.c7, rowsI, rowsJ[j7]);
  }
  return Block{_mm512_sqrt_pd(s.c0), _mm512_sqrt_pd(s.c1), _mm512_sqrt_pd(s.c2),
               _mm512_sqrt_pd(s.c3), _mm512_sqrt_pd(s.c4), _mm512_sqrt_pd(s.c5),
               _mm512_sqrt_pd(s.c6), _mm512_sqrt_pd(s.c7)};
}

// Lane c of register r becomes lane r of register c.
inline Block transpose(const Block& v) {
  const __m512d p0 = _mm512_unpacklo_pd(v.c0, v.c1), p1 = _mm512_unpackhi_pd(v.c0, v.c1);
  const __m512d p2 = _mm512_unpacklo_pd(v.c2, v.c3), p3 = _mm512_unpackhi_pd(v.c2, v.c3);
  const __m512d p4 = _mm512_unpacklo_pd(v.c4, v.c5), p5 = _mm512_unpackhi_pd(v.c4, v.c5);
  const __m512d p6 = _mm512_unpacklo_pd(v.c6, v.c7), p7 = _mm512_unpackhi_pd(v.c6, v.c7);
  const __m512d q0 = _mm512_shuffle_f64x2(p0, p2, 0x88), q1 = _mm512_shuffle_f64x2(p1, p3, 0x88);
  const __m512d q2 = _mm512_shuffle_f64x2(p0, p2, 0xDD), q3 = _mm512_shuffle_f64x2(p1, p3, 0xDD);
  const __m512d q4 = _mm512_shuffle_f64x2(p4, p6, 0x88), q5 = _mm512_shuffle_f64x2(p5, p7, 0x88);
  const __m512d q6 = _mm512_shuffle_f64x2(p4, p6, 0xDD), q7 = _mm512_shuffle_f64x2(p5, p7, 0xDD);
  return Block{_mm512_shuffle_f64x2(q0, q4, 0x88), _mm512_shuffle_f64x2(q1, q5, 0x88),
               _mm512_shuffle_f64x2(q2, q6, 0x88), _mm512_shuffle_f64x2(q3, q7, 0x88),
               _mm512_shuffle_f64x2(q0, q4, 0xDD), _mm512_shuffle_f64x2(q1, q5, 0xDD),
               _mm512_shuffle_f64x2(q2, q6, 0xDD), _mm512_shuffle_f64x2(q3, q7, 0xDD)};
}

// Register c goes to first + c * stride.
inline void storeBlock(double* first, std::ptrdiff_t stride, const Block& v) {
  _mm512_storeu_pd(first, v.c0);
  _mm512_storeu_pd(first + stride, v.c1);
  _mm512_storeu_pd(first + 2 * stride, v.c2);
  _mm512_storeu_pd(first + 3 * stride, v.c3);
  _mm512_storeu_pd(first + 4 * stride, v.c4);
  _mm512_storeu_pd(first + 5 * stride, v.c5);
  _mm512_storeu_pd(first + 6 * stride, v.c6);
  _mm512_storeu_pd(first + 7 * stride, v.c7);
}

}  // namespace

#include "distance/row_distance_tile_walk.h"

TIER_END

void fillRowDistancesAvx512(const double* data, std::int32_t cols, std::int32_t rows, double* out) {
  fillTable(data, cols, rows, out);
}

#endif
