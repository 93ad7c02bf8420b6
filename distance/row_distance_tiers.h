#ifndef DISTANCE_ROW_DISTANCE_TIERS_H
#define DISTANCE_ROW_DISTANCE_TIERS_H

// fillRowDistances for each tier. All write the same bits; fillRowDistances picks one per
// call. Declared apart so that tests and benches can run each one.

#include <cstdint>

#include "common/tier.h"
#include "common/tier_target.h"

using RowDistanceFill = void (*)(const double* data, std::int32_t cols, std::int32_t rows,
                                 double* out);

// Portable C++: the baseline tier on processors other than x86-64.
void fillRowDistancesPlain(const double* data, std::int32_t cols, std::int32_t rows, double* out);

// The fill built for `tier`, whether or not this processor can run it (only where
// tierRunsHere(tier) may it be called). Each tier's fill is declared by the table alone.
RowDistanceFill rowDistanceFillFor(Tier tier);

#endif
