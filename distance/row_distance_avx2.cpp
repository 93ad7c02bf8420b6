// AVX2 tier of the distance table: four pairs per instruction, one pair per lane.

#include "common/no_contraction.h"
#include "distance/row_distance_tiers.h"

#if TIER_HAS_X86

#include <immintrin.h>

#include <cstddef>

#include "distance/row_distance_tiles.h"

TIER_BEGIN_AVX2

namespace {

constexpr std::ptrdiff_t kWidth = 4;

// A block of 4 x 4 pairs, one register per column: lane r of cN belongs to rows a + r and
// b + N. Named members rather than an array, so that compilers keep them in registers.
struct Block {
  __m256d c0, c1, c2, c3;
};

inline void addSquare(__m256d& sum, __m256d rowsI, double rowJ) {
  const __m256d d = _mm256_sub_pd(rowsI, _mm256_set1_pd(rowJ));
  sum = _mm256_add_pd(sum, _mm256_mul_pd(d, d));
}

// Rows past iCount read as 0.0; a full block loads all four without a mask.
inline __m256d loadRows(const double* p, std::ptrdiff_t iCount) {
  if (iCount >= kWidth) return _mm256_loadu_pd(p);
  const __m256i lanes = _mm256_setr_epi64x(0, 1, 2, 3);
  return _mm256_maskload_pd(p, _mm256_cmpgt_epi64(_mm256_set1_epi64x(iCount), lanes));
}

// Each lane sums its own pair, column by column, row i minus row j, then takes the square
// root. Rows past iCount read 0.0 and columns past jLast repeat row j + jLast, so an edge
// block reads no row past the matrix.
inline Block computeBlock(const TableTile& t, std::ptrdiff_t i, std::ptrdiff_t iCount,
                          std::ptrdiff_t j, std::ptrdiff_t jLast) {
  const std::ptrdiff_t j1 = upTo(1, jLast), j2 = upTo(2, jLast), j3 = upTo(3, jLast);
  const double* const data = t.data;
  const std::ptrdiff_t rows = t.rows;
  const std::ptrdiff_t cols = t.cols;
  const __m256d zero = _mm256_setzero_pd();
  Block s{zero, zero, zero, zero};
  for (std::ptrdiff_t k = 0, column = 0; k < cols; ++k, column += rows) {
    const __m256d rowsI = loadRows(data + (column + i), iCount);
    const double* rowsJ = data + (column + j);
    addSquare(s.c0, rowsI, rowsJ[0]);
    addSquare(s.c1, rowsI, rowsJ[j1]);
    addSquare(s.c2, rowsI, rowsJ[j2]);
    addSquare(s.c3, rowsI, rowsJ[j3]);
  }
  return Block{_mm256_sqrt_pd(s.c0), _mm256_sqrt_pd(s.c1), _mm256_sqrt_pd(s.c2),
               _mm256_sqrt_pd(s.c3)};
}

// Lane c of register r becomes lane r of register c.
inline Block transpose(const Block& v) {
  const __m256d low01 = _mm256_unpacklo_pd(v.c0, v.c1);
  const __m256d high01 = _mm256_unpackhi_pd(v.c0, v.c1);
  const __m256d low23 = _mm256_unpacklo_pd(v.c2, v.c3);
  const __m256d high23 = _mm256_unpackhi_pd(v.c2, v.c3);
  return Block{
      _mm256_permute2f128_pd(low01, low23, 0x20), _mm256_permute2f128_pd(high01, high23, 0x20),
      _mm256_permute2f128_pd(low01, low23, 0x31), _mm256_permute2f128_pd(high01, high23, 0x31)};
}

// Register c goes to first + c * stride.
inline void storeBlock(double* first, std::ptrdiff_t stride, const Block& v) {
  _mm256_storeu_pd(first, v.c0);
  _mm256_storeu_pd(first + stride, v.c1);
  _mm256_storeu_pd(first + 2 * stride, v.c2);
  _mm256_storeu_pd(first + 3 * stride, v.c3);
}

}  // namespace

#include "distance/row_distance_tile_walk.h"

TIER_END

void fillRowDistancesAvx2(const double* data, std::int32_t cols, std::int32_t rows, double* out) {
  fillTable(data, cols, rows, out);
}

#endif
