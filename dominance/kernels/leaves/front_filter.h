#ifndef DOMINANCE_KERNELS_LEAVES_FRONT_FILTER_H
#define DOMINANCE_KERNELS_LEAVES_FRONT_FILTER_H

#include <cstdint>

#include "common/matrix_view.h"

// Settles listed rows in sorted order (order[0 .. count) holds row indexes) for any number
// of columns: every earlier row is <= a row in the first column, so it falls exactly when an
// earlier row is <= it in every other column, and it is enough to look for one among the
// earlier rows left standing, which the filter keeps at the start of `order`. Entries of
// fallen rows become kNoRow. tier_table.h picks the filter of a tier.
using FrontFilter = void (*)(const MatrixView& m, double* order, std::int32_t count);

void filterFrontBaseline(const MatrixView& m, double* order, std::int32_t count);

#endif
