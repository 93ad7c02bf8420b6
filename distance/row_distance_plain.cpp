// Portable tier of the distance table, for processors without a vector tier: one pair at
// a time.

#include <cmath>
#include <cstddef>

#include "common/no_contraction.h"
#include "distance/row_distance_tiers.h"
#include "distance/row_distance_tiles.h"

namespace {

constexpr std::ptrdiff_t kSideI = 1;
constexpr std::ptrdiff_t kSideJ = 1;

// One pair: row i minus row j, column by column, in one sum.
using Block = double;

Block computeBlock(const TableTile& t, std::ptrdiff_t i, std::ptrdiff_t, std::ptrdiff_t j,
                   std::ptrdiff_t) {
  double sum = 0.0;
  for (std::ptrdiff_t k = 0, column = 0; k < t.cols; ++k, column += t.rows) {
    const double d = t.data[column + i] - t.data[column + j];
    sum = sum + d * d;
  }
  return std::sqrt(sum);
}

void storeLower(double* first, std::ptrdiff_t, Block v) {
  *first = v;
}

void storeUpper(double* first, std::ptrdiff_t, Block v) {
  *first = v;
}

}  // namespace

#include "distance/row_distance_tile_walk.h"

void fillRowDistancesPlain(const double* data, std::int32_t cols, std::int32_t rows, double* out) {
  fillTable(data, cols, rows, out);
}
