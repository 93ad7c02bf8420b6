#include "dominance/passes/settle.h"

#include "common/no_contraction.h"
#include "dominance/fronts/front_divide.h"
#include "dominance/fronts/front_sweeps.h"
#include "dominance/sorts/sorted_rows.h"
#include "dominance/tier_table.h"

namespace {

// With no columns every row equals every other.
void keepFirstStandingRow(const MatrixView& set, double* flags) {
  std::int32_t r = 0;
  while (r < set.rows && flags[r] == 0.0) ++r;
  for (++r; r < set.rows; ++r) flags[r] = 0.0;
}

}  // namespace

// The flag vector is listed rows between the sort and flagsFromListedRows.
void settleStandingRows(Tier tier, const MatrixView& set, double* flags) {
  if (set.cols == 0) return keepFirstStandingRow(set, flags);
  const std::int32_t count = sortStandingRows(set, flags);
  if (set.cols == 2) {
    sweepTwoColumns(set, flags, count);
  } else if (set.cols == 3) {
    sweepThreeColumns(set, flags, count);
  } else {
    divideFront(tier, set, flags, count, defaultDivideLimits());
  }
  flagsFromListedRows(set, flags, count);
}
