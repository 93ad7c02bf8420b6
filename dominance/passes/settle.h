#ifndef DOMINANCE_PASSES_SETTLE_H
#define DOMINANCE_PASSES_SETTLE_H

#include "common/matrix_view.h"
#include "common/tier.h"

// Gives the standing rows (flag 1.0) the within-set result among themselves. Rows at 0.0
// stay there, except rows holding NaN: nothing eliminates those, so they end at 1.0.
void settleStandingRows(Tier tier, const MatrixView& set, double* flags);

#endif
