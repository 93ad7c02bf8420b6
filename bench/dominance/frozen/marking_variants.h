// Frozen copy of the dominance passes as they stood before the divide and conquer for many
// columns: the baseline the benchmark measures the shipped passes against. Never shipped.
#ifndef BENCH_DOMINANCE_FROZEN_MARKING_VARIANTS_H
#define BENCH_DOMINANCE_FROZEN_MARKING_VARIANTS_H

// The passes of dominance.h for a chosen instruction-set tier; the public passes choose the
// tier of the processor they run on. All tiers give identical flags.

#include <cstdint>

#include "common/matrix_view.h"
#include "common/tier.h"

namespace frozen {

void markWithinSetFor(Tier tier, const MatrixView& set, double* flags);

void markAcrossSetsFor(Tier tier, const MatrixView& first, double* firstFlags,
                       const MatrixView& second, double* secondFlags);

// The within-set pass scans rows in order first. Once the scan has compared more pairs than
// `base` plus `perEliminated` for each row it eliminated, it settles the rows still standing
// in sorted order instead: a scan that eliminates little is heading for M^2 / 2 pairs.
struct ScanAllowance {
  std::int64_t base;
  std::int64_t perEliminated;
};

void markWithinSetWithAllowance(Tier tier, const MatrixView& set, double* flags,
                                ScanAllowance allowance);

ScanAllowance defaultScanAllowance(const MatrixView& set);

// Gives the standing rows (flag 1.0) the within-set result among themselves. Rows at 0.0
// stay there, except rows holding NaN: nothing eliminates those, so they end at 1.0.
void settleStandingRows(Tier tier, const MatrixView& set, double* flags);

}  // namespace frozen

#endif
