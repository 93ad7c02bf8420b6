// Frozen copy of the dominance passes as they stood before the divide and conquer for many
// columns: the baseline the benchmark measures the shipped passes against. Never shipped.
#ifndef BENCH_DOMINANCE_FROZEN_FRONT_FILTER_H
#define BENCH_DOMINANCE_FROZEN_FRONT_FILTER_H

#include <cstdint>

#include "common/matrix_view.h"
#include "common/tier.h"

namespace frozen {

// Settles rows given in sortStandingRows order (order[0 .. count) holds row indexes) for any
// number of columns: a row falls exactly when an earlier row is <= it in every column but
// the first, and it is enough to look for one among the earlier rows left standing, which
// the filter keeps at the start of `order`. Entries of fallen rows become kNoRow.
using FrontFilter = void (*)(const MatrixView& m, double* order, std::int32_t count);

void filterFrontBaseline(const MatrixView& m, double* order, std::int32_t count);
void filterFrontAvx2(const MatrixView& m, double* order, std::int32_t count);

// The filter for `tier`. Wider tiers share the AVX2 one: its compares produce vectors,
// which here outpace AVX-512 compares into mask registers.
FrontFilter frontFilterFor(Tier tier);

}  // namespace frozen

#endif
