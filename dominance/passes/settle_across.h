#ifndef DOMINANCE_PASSES_SETTLE_ACROSS_H
#define DOMINANCE_PASSES_SETTLE_ACROSS_H

#include <cstdint>

#include "common/matrix_view.h"
#include "common/tier.h"
#include "dominance/passes/across_sets.h"

// Gives the standing rows of both sets (flag 1.0) the result of scanning each standing row
// of `first` in turn against the standing rows of `second`, by the closed form of
// dominance_rule.h, in sorted order: about n log^(cols-1) n steps for n rows in all, where
// the scan takes up to the product of the counts. Needs at least two columns and
// acrossSettlingFits. Rows holding NaN end at 1.0, as nothing eliminates them.
void settleAcrossSets(Tier tier, const MatrixView& first, double* firstFlags,
                      const MatrixView& second, double* secondFlags,
                      const AcrossAllowance& allowance);

// The sorted entries hold both sets' row indexes side by side below 2^53, and a first-set row
// beside its place in the list.
bool acrossSettlingFits(const MatrixView& first, const MatrixView& second);

#endif
