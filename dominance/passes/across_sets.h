#ifndef DOMINANCE_PASSES_ACROSS_SETS_H
#define DOMINANCE_PASSES_ACROSS_SETS_H

// The cross-set pass for a chosen instruction-set tier; markAcrossSets chooses the tier of
// the processor it runs on. All tiers give identical flags.

#include <cstdint>

#include "common/matrix_view.h"
#include "common/tier.h"

void markAcrossSetsFor(Tier tier, const MatrixView& first, double* firstFlags,
                       const MatrixView& second, double* secondFlags);

// The pass scans the standing rows of `first` in order first. Once the scan has passed more
// rows of `second` than `base` plus `perRow` for each row of both sets, it settles the rows
// still standing in sorted order instead: the scan is heading for the product of the counts,
// the sorted pass for little more than their sum.
struct AcrossAllowance {
  std::int64_t base;
  std::int64_t perRow;
  std::int64_t leafPairs;  // of the sorted pass
};

void markAcrossSetsWithAllowance(Tier tier, const MatrixView& first, double* firstFlags,
                                 const MatrixView& second, double* secondFlags,
                                 AcrossAllowance allowance);

AcrossAllowance defaultAcrossAllowance();

#endif
