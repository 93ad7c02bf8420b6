#include "common/avx512_diagnostics.h"
#include "common/no_contraction.h"
#include "common/tier_target.h"
#include "dominance/dominance_rule.h"
#include "dominance/kernels/lane_bits.h"
#include "dominance/kernels/leaves/pair_cover.h"
#include "dominance/sorts/row_order.h"

#if TIER_HAS_X86
#include <immintrin.h>

#include "dominance/kernels/leaves/covered_lanes_avx512.h"

TIER_BEGIN_AVX512

namespace {

template <std::int32_t kHeld, int kHalves = (kHeld >= 4 ? 2 : 1)>
void coverPairs(const MatrixView& m, const OpenColumns& open, const double* upper,
                std::int32_t upperSize, double* lower, std::int32_t lowerSize, std::int32_t from) {
  constexpr std::int32_t kBlock = 8 * kHalves;
  // A last, short block repeats its last candidate in the lanes it lacks.
  for (std::int32_t b = 0; b < lowerSize; b += kBlock) {
    const std::int32_t count = lowerSize - b < kBlock ? lowerSize - b : kBlock;
    std::int32_t rows[kBlock];
    for (std::int32_t lane = 0; lane < kBlock; ++lane) {
      rows[lane] = rowOf(lower[b + (lane < count ? lane : count - 1)]);
    }
    const unsigned lanes = (1u << count) - 1u;
    const HeldCandidates<kHeld, kHalves> held(m, open, rows, from);
    const unsigned standing = uncoveredLanes(m, open, upper, upperSize, held, rows, lanes, from);
    for (std::int32_t lane = 0; lane < count; ++lane) {
      if ((standing >> lane & 1u) == 0) lower[b + lane] = kNoRow;
    }
  }
}

}  // namespace

void coverPairsAvx512(const MatrixView& m, const OpenColumns& open, const double* upper,
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
    case 5:
      return coverPairs<5>(m, open, upper, upperSize, lower, lowerSize, from);
    case 6:
      return coverPairs<6>(m, open, upper, upperSize, lower, lowerSize, from);
    case 7:
      return coverPairs<7>(m, open, upper, upperSize, lower, lowerSize, from);
    default:
      return coverPairs<kMaxHeld>(m, open, upper, upperSize, lower, lowerSize, from);
  }
}
TIER_END

#endif
