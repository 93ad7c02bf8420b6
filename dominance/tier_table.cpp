#include "dominance/tier_table.h"

#include "common/no_contraction.h"
#include "common/tier_target.h"

// The kernels of the wider tiers, each defined in its tier's own file; only this table
// names them.
#if TIER_HAS_X86
ScanOutcome scanRowAvx2(const MatrixView& first, std::int32_t row, double* firstFlag,
                        const MatrixView& second, std::int32_t begin, double* secondFlags);
ScanOutcome scanRowAvx512(const MatrixView& first, std::int32_t row, double* firstFlag,
                          const MatrixView& second, std::int32_t begin, double* secondFlags);
void filterFrontAvx2(const MatrixView& m, double* order, std::int32_t count);
void filterFrontAvx512(const MatrixView& m, double* order, std::int32_t count);
void coverPairsAvx2(const MatrixView& m, const OpenColumns& open, const double* upper,
                    std::int32_t upperSize, double* lower, std::int32_t lowerSize,
                    std::int32_t from);
void coverPairsAvx512(const MatrixView& m, const OpenColumns& open, const double* upper,
                      std::int32_t upperSize, double* lower, std::int32_t lowerSize,
                      std::int32_t from);
std::int32_t filterByStrongRowsAvx2(const MatrixView& m, double* flags);
std::int32_t filterByStrongRowsAvx512(const MatrixView& m, double* flags);
void streamPastFirstRowsAvx2(const MatrixView& first, double* firstFlags, const MatrixView& second,
                             double* secondFlags);
void coverAcrossPairsAvx2(CrossEntries pointSet, const double* points, std::int32_t pointCount,
                          CrossEntries querySet, double* queries, std::int32_t queryCount,
                          const OpenColumns& open, std::int32_t from, double mark);
void coverAcrossPairsAvx512(CrossEntries pointSet, const double* points, std::int32_t pointCount,
                            CrossEntries querySet, double* queries, std::int32_t queryCount,
                            const OpenColumns& open, std::int32_t from, double mark);
void streamPastFirstRowsAvx512(const MatrixView& first, double* firstFlags,
                               const MatrixView& second, double* secondFlags);
#endif

namespace {

struct TierKernels {
  RowScan scan;
  FrontFilter filter;
  PairCover pairs;
  StrongRowFilter strong;
  FirstRowsStream stream;
  CrossCover cross;
};

// In kTiers order. The AVX-512 front filter and pair cover take sixteen candidates at a
// time (eight below four columns), which on an AMD EPYC (Zen 5) settles 50000 rows of 8
// columns a fifth faster than the AVX2 kernels.
constexpr TierKernels kKernels[] = {
    {scanRowBaseline, filterFrontBaseline, coverPairsBaseline, filterByStrongRowsBaseline,
     streamPastFirstRowsBaseline, coverAcrossPairsBaseline},
#if TIER_HAS_X86
    {scanRowAvx2, filterFrontAvx2, coverPairsAvx2, filterByStrongRowsAvx2, streamPastFirstRowsAvx2,
     coverAcrossPairsAvx2},
    {scanRowAvx512, filterFrontAvx512, coverPairsAvx512, filterByStrongRowsAvx512,
     streamPastFirstRowsAvx512, coverAcrossPairsAvx512},
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

StrongRowFilter strongRowFilterFor(Tier tier) {
  return kernelsFor(tier).strong;
}

FirstRowsStream firstRowsStreamFor(Tier tier) {
  return kernelsFor(tier).stream;
}

CrossCover crossCoverFor(Tier tier) {
  return kernelsFor(tier).cross;
}
