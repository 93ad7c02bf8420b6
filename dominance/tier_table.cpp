#include "dominance/tier_table.h"

#include "common/no_contraction.h"
#include "common/tier_target.h"

namespace {

struct TierKernels {
  RowScan scan;
  FrontFilter filter;
  PairCover pairs;
};

// In kTiers order. AVX-512 shares the AVX2 filter and pair cover: their compares produce
// vectors, which here outpace AVX-512 compares into mask registers.
constexpr TierKernels kKernels[] = {
    {scanRowBaseline, filterFrontBaseline, coverPairsBaseline},
#if TIER_HAS_X86
    {scanRowAvx2, filterFrontAvx2, coverPairsAvx2},
    {scanRowAvx512, filterFrontAvx2, coverPairsAvx2},
#endif
};
constexpr int kCompiledTiers = static_cast<int>(sizeof kKernels / sizeof kKernels[0]);
static_assert(kCompiledTiers == kTierCount || !TIER_HAS_X86, "one row per tier");

const TierKernels& kernelsFor(Tier tier) {
  const int index = static_cast<int>(tier);
  return kKernels[index < kCompiledTiers ? index : 0];
}

}  // namespace

RowScan rowScanFor(Tier tier) {
  return kernelsFor(tier).scan;
}

FrontFilter frontFilterFor(Tier tier) {
  return kernelsFor(tier).filter;
}

PairCover pairCoverFor(Tier tier) {
  return kernelsFor(tier).pairs;
}
