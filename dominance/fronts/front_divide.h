#ifndef DOMINANCE_FRONTS_FRONT_DIVIDE_H
#define DOMINANCE_FRONTS_FRONT_DIVIDE_H

#include <cstdint>

#include "common/matrix_view.h"
#include "common/tier.h"
#include "dominance/kernels/leaves/open_columns.h"

// Where the divide and conquer stops dividing. Lowered in tests so that small inputs reach
// every step.
struct DivideLimits {
  std::int32_t leafRows;   // runs of at most this many rows go to the leaf filter
  std::int64_t leafPairs;  // two groups with at most this many pairs are compared pair by pair
};

DivideLimits defaultDivideLimits();

// Settles rows given in sortListedRows order with the result of a FrontFilter (a row falls
// exactly when an earlier row is <= it in every column but the first; fallen entries become
// kNoRow), in O(count log^(cols-2) count) instead of O(count x front). The halves of a run are
// settled first, then the rows of the later half that a row of the earlier half covers fall.
// Works in place in `order`; the nesting is at most 2 log2(count) + 2 calls deep.
// The leaves use the filters of `tier`.
void divideFront(Tier tier, const MatrixView& m, double* order, std::int32_t count,
                 DivideLimits limits);

// Marks kNoRow every entry of lower[0 .. lowerSize) whose row some row of upper[0 .. upperSize)
// is <= in every open column (the caller knows the others), by the same divide and conquer
// over those columns; neither group holds kNoRow entries on entry, and both are permuted.
// The groups use the kernels of `tier`.
void coverRowsAcross(Tier tier, const MatrixView& m, const OpenColumns& open, double* upper,
                     std::int32_t upperSize, double* lower, std::int32_t lowerSize,
                     DivideLimits limits);

#endif
