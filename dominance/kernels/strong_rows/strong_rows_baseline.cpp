#include "common/no_contraction.h"
#include "common/prefetch.h"
#include "dominance/dominance_rule.h"
#include "dominance/kernels/lane_bits.h"
#include "dominance/kernels/strong_rows/strong_rows.h"
#include "dominance/kernels/strong_rows/strong_rows_driver.h"

namespace {

// Four rows at a time in plain C++, a strong row's columns read once for all four.
struct ScalarStrongLanes {
  static constexpr std::int32_t kWidth = 4;

  template <std::int32_t kCols, bool kListed>
  static unsigned standing(const MatrixView& m, std::int32_t first, const std::int32_t* listed,
                           std::int32_t count, const StrongRows& strong) {
    const std::int32_t cols = kCols > 0 ? kCols : m.cols;
    std::int32_t rows[kWidth] = {};
    for (std::int32_t lane = 0; lane < count; ++lane) {
      rows[lane] = kListed ? listed[lane] : first + lane;
    }
    unsigned alive = (1u << count) - 1u;
    for (std::int32_t w = 0; w < strong.size && alive != 0; ++w) {
      const std::int32_t row = strong.rows[w];
      for (unsigned open = alive; open != 0; open &= open - 1) {
        const int lane = lowestLane(open);
        bool ge = true;
        bool equal = true;
        for (std::int32_t k = 0; k < cols && ge; ++k) {
          const double x = elementAt(m, rows[lane], k);
          const double v = elementAt(m, row, k);
          ge = x >= v;
          equal = equal && x == v;
        }
        // Equal rows fall only to a strong row that comes before them.
        if (ge && (!equal || rows[lane] > row)) alive &= ~(1u << lane);
      }
    }
    return alive;
  }
};

}  // namespace

std::int32_t filterByStrongRowsBaseline(const MatrixView& m, double* flags) {
  return filterByColumnCount<ScalarStrongLanes>(m, flags);
}
