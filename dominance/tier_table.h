#ifndef DOMINANCE_TIER_TABLE_H
#define DOMINANCE_TIER_TABLE_H

// The kernels of each instruction-set tier, from one table indexed by Tier. A tier not
// compiled in (any but baseline off x86) gets the baseline kernels.

#include "common/tier.h"
#include "dominance/kernels/cross_cover/cross_cover.h"
#include "dominance/kernels/first_rows_stream/first_rows_stream.h"
#include "dominance/kernels/leaves/front_filter.h"
#include "dominance/kernels/leaves/pair_cover.h"
#include "dominance/kernels/row_scan/row_scan.h"
#include "dominance/kernels/strong_rows/strong_rows.h"

RowScan rowScanFor(Tier tier);

FrontFilter frontFilterFor(Tier tier);

PairCover pairCoverFor(Tier tier);

StrongRowFilter strongRowFilterFor(Tier tier);

FirstRowsStream firstRowsStreamFor(Tier tier);

CrossCover crossCoverFor(Tier tier);

#endif
