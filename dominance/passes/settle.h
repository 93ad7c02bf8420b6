#ifndef DOMINANCE_PASSES_SETTLE_H
#define DOMINANCE_PASSES_SETTLE_H

#include <cstdint>

#include "common/matrix_view.h"
#include "common/tier.h"

// Gives the standing rows (flag 1.0) the within-set result among themselves; rows at 0.0
// stay there.
void settleStandingRows(Tier tier, const MatrixView& set, double* flags);

// The same for the rows listed in flags[0 .. count) (see dominance_rule.h), which are
// distinct; every row not listed ends at 0.0. Needs at least one column.
void settleListedRows(Tier tier, const MatrixView& set, double* flags, std::int32_t count);

#endif
