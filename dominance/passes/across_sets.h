#ifndef DOMINANCE_PASSES_ACROSS_SETS_H
#define DOMINANCE_PASSES_ACROSS_SETS_H

// The cross-set pass for a chosen instruction-set tier; markAcrossSets chooses the tier of
// the processor it runs on. All tiers give identical flags.

#include "common/matrix_view.h"
#include "common/tier.h"

void markAcrossSetsFor(Tier tier, const MatrixView& first, double* firstFlags,
                       const MatrixView& second, double* secondFlags);

#endif
