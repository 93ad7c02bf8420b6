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

Block sumColumns(const double* rowsI, const double* rowsJ, std::ptrdiff_t count, Block sum) {
  for (std::ptrdiff_t k = 0; k < count; ++k) {
    const double d = rowsI[k * kPanelRows] - rowsJ[k * kTileSide];
    sum = sum + d * d;
  }
  return sum;
}

Block noSums() {
  return 0.0;
}

Block squareRoots(Block sum) {
  return std::sqrt(sum);
}

Block loadSums(const double* from) {
  return *from;
}

void storeSums(double* to, Block sum) {
  *to = sum;
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
