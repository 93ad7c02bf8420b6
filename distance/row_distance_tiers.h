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

#if TIER_HAS_X86
void fillRowDistancesBaseline(const double* data, std::int32_t cols, std::int32_t rows,
                              double* out);
// Only where tierRunsHere(Tier::avx2), resp. tierRunsHere(Tier::avx512).
void fillRowDistancesAvx2(const double* data, std::int32_t cols, std::int32_t rows, double* out);
void fillRowDistancesAvx512(const double* data, std::int32_t cols, std::int32_t rows, double* out);
#endif

// The fill built for `tier`, whether or not this processor can run it.
RowDistanceFill rowDistanceFillFor(Tier tier);

#endif
