#include "common/avx512_diagnostics.h"
#include "common/no_contraction.h"
#include "common/tier_target.h"
#include "dominance/dominance_rule.h"
#include "dominance/kernels/leaves/front_filter.h"
#include "dominance/sorts/row_order.h"

#if TIER_HAS_X86
#include <immintrin.h>

#include "dominance/kernels/leaves/covered_lanes_avx512.h"

TIER_BEGIN_AVX512

namespace {

// Candidates go eight or sixteen at a time against the rows the filter holds at the start of
// `order`, then against each other; a last, short block repeats its last candidate in the
// lanes it lacks.
template <std::int32_t kHeld, int kHalves = (kHeld >= 4 ? 2 : 1)>
void filterFront(const MatrixView& m, double* order, std::int32_t count) {
  constexpr std::int32_t kBlock = 8 * kHalves;
  const OpenColumns open = everyColumn(m.cols);
  std::int32_t front = 0;
  for (std::int32_t p = 0; p < count; p += kBlock) {
    const std::int32_t size = count - p < kBlock ? count - p : kBlock;
    std::int32_t rows[kBlock];
    for (std::int32_t lane = 0; lane < kBlock; ++lane) {
      rows[lane] = rowOf(order[p + (lane < size ? lane : size - 1)]);
    }
    const unsigned lanes = (1u << size) - 1u;
    // Both checks read the candidates' columns from the same registers.
    const HeldCandidates<kHeld, kHalves> held(m, open, rows, 1);
    unsigned standing = uncoveredLanes(m, open, order, front, held, rows, lanes, 1);
    if (standing != 0) standing &= ~coveredByEarlierLanes(m, open, held, rows, size, 1);
    for (std::int32_t lane = 0; lane < size; ++lane) {
      if ((standing >> lane & 1u) != 0) {
        order[p + lane] = order[front];
        order[front++] = rows[lane];
      } else {
        order[p + lane] = kNoRow;
      }
    }
  }
}

}  // namespace

void filterFrontAvx512(const MatrixView& m, double* order, std::int32_t count) {
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
    case 6:
      return filterFront<5>(m, order, count);
    case 7:
      return filterFront<6>(m, order, count);
    case 8:
      return filterFront<7>(m, order, count);
    default:
      return filterFront<kMaxHeld>(m, order, count);
  }
}
TIER_END

#endif
