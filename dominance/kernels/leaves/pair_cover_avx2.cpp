#include "common/no_contraction.h"
#include "common/tier_target.h"
#include "dominance/dominance_rule.h"
#include "dominance/kernels/leaves/pair_cover.h"
#include "dominance/sorts/row_order.h"

#if TIER_HAS_X86
#include <immintrin.h>

#include "dominance/kernels/leaves/covered_lanes_avx2.h"

namespace {

constexpr std::int32_t kBlock = kCandidateLanes;
constexpr std::int32_t kMaxHeld = kMaxHeldColumns;

template <std::int32_t kHeld>
TIER_TARGET_AVX2 void coverPairs(const MatrixView& m, const OpenColumns& open, const double* upper,
                                 std::int32_t upperSize, double* lower, std::int32_t lowerSize,
                                 std::int32_t from) {
  std::int32_t b = 0;
  for (; lowerSize - b >= kBlock; b += kBlock) {
    std::int32_t rows[kBlock];
    for (std::int32_t lane = 0; lane < kBlock; ++lane) rows[lane] = rowOf(lower[b + lane]);
    const unsigned standing = uncoveredLanes<kHeld>(m, open, upper, upperSize, rows, from);
    for (std::int32_t lane = 0; lane < kBlock; ++lane) {
      if ((standing >> lane & 1u) == 0) lower[b + lane] = kNoRow;
    }
  }
  coverPairsBaseline(m, open, upper, upperSize, lower + b, lowerSize - b, from);
}

}  // namespace

void coverPairsAvx2(const MatrixView& m, const OpenColumns& open, const double* upper,
                    std::int32_t upperSize, double* lower, std::int32_t lowerSize,
                    std::int32_t from) {
  switch (open.count - from) {
    case 1:
      return coverPairs<1>(m, open, upper, upperSize, lower, lowerSize, from);
    case 2:
      return coverPairs<2>(m, open, upper, upperSize, lower, lowerSize, from);
    case 3:
      return coverPairs<3>(m, open, upper, upperSize, lower, lowerSize, from);
    case 4:
      return coverPairs<4>(m, open, upper, upperSize, lower, lowerSize, from);
    default:
      return coverPairs<kMaxHeld>(m, open, upper, upperSize, lower, lowerSize, from);
  }
}

#endif
