#include "common/no_contraction.h"
#include "dominance/dominance_rule.h"
#include "dominance/kernels/leaves/front_filter.h"
#include "dominance/sorts/row_order.h"

namespace {

constexpr std::int32_t kBlock = 4;

// Whether `lower` is <= `upper` in the columns [from, to), reading all of them: on random
// rows a loop that stops at the first failing column mispredicts more often than it saves.
inline bool coversColumns(const MatrixView& m, std::int32_t lower, std::int32_t upper,
                          std::int32_t from, std::int32_t to) {
  bool covers = true;
  for (std::int32_t k = from; k < to; ++k) {
    covers &= elementAt(m, lower, k) <= elementAt(m, upper, k);
  }
  return covers;
}

}  // namespace

// Candidates go four at a time against the rows the filter already holds at the start of
// `order`, and only then against each other, in order.
void filterFrontBaseline(const MatrixView& m, double* order, std::int32_t count) {
  std::int32_t front = 0;
  for (std::int32_t p = 0; p < count; p += kBlock) {
    const std::int32_t size = count - p < kBlock ? count - p : kBlock;
    std::int32_t rows[kBlock] = {0, 0, 0, 0};
    bool standing[kBlock] = {false, false, false, false};
    for (std::int32_t lane = 0; lane < size; ++lane) {
      rows[lane] = rowOf(order[p + lane]);
      standing[lane] = true;
    }
    // Two columns first for all lanes; rows that pass those are rare enough on wide random
    // rows that finishing them lane by lane pays.
    const std::int32_t split = m.cols < 3 ? m.cols : 3;
    for (std::int32_t s = 0; s < front; ++s) {
      const std::int32_t member = rowOf(order[s]);
      bool covered[kBlock];
      bool any = false;
      for (std::int32_t lane = 0; lane < kBlock; ++lane) {
        covered[lane] = standing[lane] && coversColumns(m, member, rows[lane], 1, split);
        any |= covered[lane];
      }
      if (!any) continue;
      bool left = false;
      for (std::int32_t lane = 0; lane < kBlock; ++lane) {
        if (covered[lane]) standing[lane] = !coversColumns(m, member, rows[lane], split, m.cols);
        left |= standing[lane];
      }
      if (!left) break;
    }
    for (std::int32_t lane = 1; lane < size; ++lane) {
      for (std::int32_t earlier = 0; earlier < lane && standing[lane]; ++earlier) {
        standing[lane] = !coversColumns(m, rows[earlier], rows[lane], 1, m.cols);
      }
    }
    for (std::int32_t lane = 0; lane < size; ++lane) {
      if (standing[lane]) {
        order[p + lane] = order[front];
        order[front++] = rows[lane];
      } else {
        order[p + lane] = kNoRow;
      }
    }
  }
}
