#include "common/no_contraction.h"
#include "common/tier_target.h"
#include "dominance/dominance_rule.h"
#include "dominance/kernels/leaves/front_filter.h"
#include "dominance/sorts/row_order.h"

#if TIER_HAS_X86
#include <immintrin.h>

#include "dominance/kernels/leaves/covered_lanes_avx2.h"

namespace {

constexpr std::int32_t kBlock = kCandidateLanes;
constexpr std::int32_t kMaxHeld = kMaxHeldColumns;

template <std::int32_t kHeld>
TIER_TARGET_AVX2 void filterFront(const MatrixView& m, double* order, std::int32_t count) {
  const OpenColumns open = everyColumn(m.cols);
  std::int32_t front = 0;
  std::int32_t p = 0;
  for (; count - p >= kBlock; p += kBlock) {
    std::int32_t rows[kBlock];
    for (std::int32_t lane = 0; lane < kBlock; ++lane) rows[lane] = rowOf(order[p + lane]);
    unsigned standing = uncoveredLanes<kHeld>(m, open, order, front, rows, 1);
    // The candidates are in sorted order among themselves too.
    for (std::int32_t lane = 1; lane < kBlock; ++lane) {
      for (std::int32_t earlier = 0; earlier < lane && (standing >> lane & 1u) != 0; ++earlier) {
        if (rowAtMostFrom(m, rows[earlier], rows[lane], 1)) standing &= ~(1u << lane);
      }
    }
    for (std::int32_t lane = 0; lane < kBlock; ++lane) {
      if ((standing >> lane & 1u) != 0) {
        order[p + lane] = order[front];
        order[front++] = rows[lane];
      } else {
        order[p + lane] = kNoRow;
      }
    }
  }
  // The last few candidates one at a time.
  for (; p < count; ++p) {
    const std::int32_t row = rowOf(order[p]);
    bool falls = false;
    for (std::int32_t s = 0; s < front && !falls; ++s) {
      falls = rowAtMostFrom(m, rowOf(order[s]), row, 1);
    }
    if (falls) {
      order[p] = kNoRow;
    } else {
      order[p] = order[front];
      order[front++] = row;
    }
  }
}

}  // namespace

void filterFrontAvx2(const MatrixView& m, double* order, std::int32_t count) {
  // Two and three columns take the sweeps, except when a test calls the filter directly.
  switch (m.cols) {
    case 1:
    case 2:
    case 3:
      return filterFrontBaseline(m, order, count);
    case 4:
      return filterFront<3>(m, order, count);
    case 5:
      return filterFront<4>(m, order, count);
    default:
      return filterFront<kMaxHeld>(m, order, count);
  }
}

#endif
