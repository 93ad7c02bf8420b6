#ifndef DOMINANCE_PASSES_WITHIN_SET_H
#define DOMINANCE_PASSES_WITHIN_SET_H

// The within-set pass for a chosen instruction-set tier; markWithinSet chooses the tier of
// the processor it runs on. All tiers give identical flags.

#include <cstdint>

#include "common/matrix_view.h"
#include "common/tier.h"

void markWithinSetFor(Tier tier, const MatrixView& set, double* flags);

// Large sets go through the strong-row filter first, then the rows it leaves are settled in
// sorted order. Smaller ones are scanned in order first: once the scan has compared more
// pairs than `base` plus `perEliminated` for each row it eliminated, it settles the rows
// still standing in sorted order instead, as a scan that eliminates little is heading for
// M^2 / 2 pairs.
struct ScanAllowance {
  std::int64_t base;
  std::int64_t perEliminated;
};

struct WithinSetLimits {
  std::int32_t strongRowsFrom;  // rows from which the strong-row filter runs (two columns on)
  ScanAllowance scan;
};

void markWithinSetWithLimits(Tier tier, const MatrixView& set, double* flags,
                             WithinSetLimits limits);

WithinSetLimits defaultWithinSetLimits(const MatrixView& set);

#endif
