#ifndef DOMINANCE_KERNELS_LEAVES_PAIR_COVER_H
#define DOMINANCE_KERNELS_LEAVES_PAIR_COVER_H

#include <cstdint>

#include "common/matrix_view.h"
#include "dominance/kernels/leaves/open_columns.h"

// Compares two groups of listed rows pair by pair: every entry of lower[0 .. lowerSize)
// whose row some row of upper[0 .. upperSize) is <= in every open column from position
// `from` on becomes kNoRow. Neither group holds kNoRow entries on entry. tier_table.h picks
// the one of a tier.
using PairCover = void (*)(const MatrixView& m, const OpenColumns& open, const double* upper,
                           std::int32_t upperSize, double* lower, std::int32_t lowerSize,
                           std::int32_t from);

void coverPairsBaseline(const MatrixView& m, const OpenColumns& open, const double* upper,
                        std::int32_t upperSize, double* lower, std::int32_t lowerSize,
                        std::int32_t from);

#endif
