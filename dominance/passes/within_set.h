#ifndef DOMINANCE_PASSES_WITHIN_SET_H
#define DOMINANCE_PASSES_WITHIN_SET_H

// The within-set pass for a chosen instruction-set tier; markWithinSet chooses the tier of
// the processor it runs on. All tiers give identical flags.

#include <cstdint>

#include "common/matrix_view.h"
#include "common/tier.h"

void markWithinSetFor(Tier tier, const MatrixView& set, double* flags);

// The pass scans rows in order first. Once the scan has compared more pairs than `base` plus
// `perEliminated` for each row it eliminated, it settles the rows still standing in sorted
// order instead: a scan that eliminates little is heading for M^2 / 2 pairs.
struct ScanAllowance {
  std::int64_t base;
  std::int64_t perEliminated;
};

void markWithinSetWithAllowance(Tier tier, const MatrixView& set, double* flags,
                                ScanAllowance allowance);

ScanAllowance defaultScanAllowance(const MatrixView& set);

#endif
