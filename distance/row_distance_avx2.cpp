// AVX2 tier of the distance table: four pairs per instruction, one pair per lane, in blocks
// of 4 x 8 pairs.

#include "common/no_contraction.h"
#include "distance/row_distance_tiers.h"

#if TIER_HAS_X86

#include <immintrin.h>

#include <cstddef>

#include "distance/row_distance_tiles.h"

TIER_BEGIN_AVX2

namespace {

constexpr std::ptrdiff_t kSideI = 4;
constexpr std::ptrdiff_t kSideJ = 8;
constexpr std::ptrdiff_t kLanes = 4;

// Four rows of pairs against four rows: member r holds row a + r against the four rows of
// its lanes. Named members rather than an array, so that compilers keep them in registers.
struct Square {
  __m256d r0, r1, r2, r3;
};

// Rows a ... a + 3 against rows b ... b + 3 in `low` and b + 4 ... b + 7 in `high`: eight
// independent sums, enough to hide the latency of the additions, and each column's values
// loaded once for eight vector steps.
struct Block {
  Square low, high;
};

// Row i of the column, taken once for both registers of row j.
inline void addSquares(__m256d& low, __m256d& high, double rowI, __m256d rowsLow,
                       __m256d rowsHigh) {
  const __m256d i = _mm256_set1_pd(rowI);
  const __m256d dLow = _mm256_sub_pd(i, rowsLow);
  const __m256d dHigh = _mm256_sub_pd(i, rowsHigh);
  low = _mm256_add_pd(low, _mm256_mul_pd(dLow, dLow));
  high = _mm256_add_pd(high, _mm256_mul_pd(dHigh, dHigh));
}

inline Square squareRoot(const Square& v) {
  return Square{_mm256_sqrt_pd(v.r0), _mm256_sqrt_pd(v.r1), _mm256_sqrt_pd(v.r2),
                _mm256_sqrt_pd(v.r3)};
}

inline Square noSquare() {
  const __m256d zero = _mm256_setzero_pd();
  return Square{zero, zero, zero, zero};
}

// Member r from from + r * kLanes.
inline Square loadSquare(const double* from) {
  return Square{_mm256_loadu_pd(from), _mm256_loadu_pd(from + kLanes),
                _mm256_loadu_pd(from + 2 * kLanes), _mm256_loadu_pd(from + 3 * kLanes)};
}

// Each lane sums its own pair, column by column, row i minus row j.
inline Block sumColumns(const double* rowsI, const double* rowsJ, std::ptrdiff_t count, Block s) {
  for (std::ptrdiff_t k = 0; k < count; ++k) {
    const double* const x = rowsI + k * kPanelRows;
    const __m256d rowsLow = _mm256_loadu_pd(rowsJ + k * kTileSide);
    const __m256d rowsHigh = _mm256_loadu_pd(rowsJ + (k * kTileSide + kLanes));
    addSquares(s.low.r0, s.high.r0, x[0], rowsLow, rowsHigh);
    addSquares(s.low.r1, s.high.r1, x[1], rowsLow, rowsHigh);
    addSquares(s.low.r2, s.high.r2, x[2], rowsLow, rowsHigh);
    addSquares(s.low.r3, s.high.r3, x[3], rowsLow, rowsHigh);
  }
  return s;
}

inline Block noSums() {
  return Block{noSquare(), noSquare()};
}

inline Block squareRoots(const Block& s) {
  return Block{squareRoot(s.low), squareRoot(s.high)};
}

// Lane c of member r becomes lane r of member c.
inline Square transpose(const Square& v) {
  const __m256d low01 = _mm256_unpacklo_pd(v.r0, v.r1);
  const __m256d high01 = _mm256_unpackhi_pd(v.r0, v.r1);
  const __m256d low23 = _mm256_unpacklo_pd(v.r2, v.r3);
  const __m256d high23 = _mm256_unpackhi_pd(v.r2, v.r3);
  return Square{
      _mm256_permute2f128_pd(low01, low23, 0x20), _mm256_permute2f128_pd(high01, high23, 0x20),
      _mm256_permute2f128_pd(low01, low23, 0x31), _mm256_permute2f128_pd(high01, high23, 0x31)};
}

// Member r goes to first + r * stride.
inline void storeSquare(double* first, std::ptrdiff_t stride, const Square& v) {
  _mm256_storeu_pd(first, v.r0);
  _mm256_storeu_pd(first + stride, v.r1);
  _mm256_storeu_pd(first + 2 * stride, v.r2);
  _mm256_storeu_pd(first + 3 * stride, v.r3);
}

inline Block loadSums(const double* from) {
  return Block{loadSquare(from), loadSquare(from + kLanes * kLanes)};
}

inline void storeSums(double* to, const Block& s) {
  storeSquare(to, kLanes, s.low);
  storeSquare(to + kLanes * kLanes, kLanes, s.high);
}

inline void storeLower(double* first, std::ptrdiff_t stride, const Block& v) {
  storeSquare(first, stride, v.low);
  storeSquare(first + kLanes, stride, v.high);
}

inline void storeUpper(double* first, std::ptrdiff_t stride, const Block& v) {
  storeSquare(first, stride, transpose(v.low));
  storeSquare(first + kLanes * stride, stride, transpose(v.high));
}

}  // namespace

#include "distance/row_distance_tile_walk.h"

TIER_END

void fillRowDistancesAvx2(const double* data, std::int32_t cols, std::int32_t rows, double* out) {
  fillTable(data, cols, rows, out);
}

#endif
