#ifndef DOMINANCE_FRONTS_FRONT_REGIONS_H
#define DOMINANCE_FRONTS_FRONT_REGIONS_H

#include <cstdint>

#include "common/matrix_view.h"
#include "common/tier.h"
#include "dominance/fronts/front_divide.h"

// Settles rows given in sortListedRows order as divideFront does, for long fronts on many
// columns. A pivot row splits the rows into regions by the set of columns, among the first
// eight, in which they are >= the pivot. A row can eliminate another only from the same
// region or from a region whose set is a proper subset of the other's (where the second row
// is below the pivot, so is the first); so each region is settled on its own by the divide
// and conquer, and then only pairs of regions whose sets are subsets meet. Works in place in
// `order`, with 3 KiB of stack beside what the divide and conquer takes.
void settleByRegions(Tier tier, const MatrixView& m, double* order, std::int32_t count,
                     DivideLimits limits);

#endif
