#include "common/no_contraction.h"
#include "common/prefetch.h"
#include "dominance/dominance_rule.h"
#include "dominance/kernels/first_rows_stream/first_rows_stream.h"
#include "dominance/kernels/lane_bits.h"
#include "dominance/sorts/row_order.h"

// After every other header: the driver uses them.
#include "dominance/kernels/first_rows_stream/first_rows_stream_driver.h"

namespace {

// Four rows at a time in plain C++.
struct ScalarStreamLanes {
  static constexpr std::int32_t kWidth = 4;

  template <std::int32_t kCols>
  static unsigned block(const MatrixView& second, std::int32_t begin, std::int32_t count,
                        const MatrixView& first, const std::int32_t* open, std::int32_t size,
                        double* secondFlags, unsigned& over) {
    unsigned standing = (1u << count) - 1u;
    for (std::int32_t w = 0; w < size && standing != 0; ++w) {
      for (unsigned lanes = standing; lanes != 0; lanes &= lanes - 1) {
        const int lane = lowestLane(lanes);
        if (rowAtMost(first, open[w], second, begin + lane)) standing &= ~(1u << lane);
      }
    }
    for (std::int32_t lane = 0; lane < count; ++lane) {
      if ((standing >> lane & 1u) == 0) secondFlags[begin + lane] = 0.0;
    }
    // No open row is <= a standing lane, so a lane <= an open row differs from it.
    over = 0;
    for (unsigned lanes = standing; lanes != 0; lanes &= lanes - 1) {
      const int lane = lowestLane(lanes);
      for (std::int32_t w = 0; w < size; ++w) {
        if (rowAtMost(second, begin + lane, first, open[w])) {
          over |= 1u << lane;
          break;
        }
      }
    }
    return standing;
  }
};

}  // namespace

void streamPastFirstRowsBaseline(const MatrixView& first, double* firstFlags,
                                 const MatrixView& second, double* secondFlags) {
  streamByColumnCount<ScalarStreamLanes>(first, firstFlags, second, secondFlags);
}
