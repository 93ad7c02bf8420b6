#include "dominance/passes/across_sets.h"

#include "common/no_contraction.h"
#include "dominance/kernels/row_scan.h"
#include "dominance/tier_table.h"

// The scan order decides this result, so it is never settled in sorted order.
void markAcrossSetsFor(Tier tier, const MatrixView& first, double* firstFlags,
                       const MatrixView& second, double* secondFlags) {
  const RowScan scan = rowScanFor(tier);
  for (std::int32_t i = 0; i < first.rows; ++i) {
    if (firstFlags[i] != 0.0) scan(first, i, firstFlags + i, second, 0, secondFlags);
  }
}
