#include "dominance/passes/settle.h"

#include "common/no_contraction.h"
#include "dominance/fronts/front_divide.h"
#include "dominance/fronts/front_regions.h"
#include "dominance/fronts/front_sweeps.h"
#include "dominance/sorts/sorted_rows.h"
#include "dominance/tier_table.h"

namespace {

// Long fronts on five to eight columns are split by a pivot's regions first; with more
// columns, regions drawn from the first eight measured slower than none.
constexpr std::int32_t kRegionsFromColumns = 5;
constexpr std::int32_t kRegionsUpToColumns = 8;
constexpr std::int32_t kRegionsFromRows = 4096;

// With no columns every row equals every other.
void keepFirstStandingRow(const MatrixView& set, double* flags) {
  std::int32_t r = 0;
  while (r < set.rows && flags[r] == 0.0) ++r;
  for (++r; r < set.rows; ++r) flags[r] = 0.0;
}

}  // namespace

void settleStandingRows(Tier tier, const MatrixView& set, double* flags) {
  if (set.cols == 0) return keepFirstStandingRow(set, flags);
  settleListedRows(tier, set, flags, listStandingRows(flags, set.rows));
}

// The rows holding NaN stay listed, at the end, and nothing eliminates them.
void settleListedRows(Tier tier, const MatrixView& set, double* flags, std::int32_t count) {
  const std::int32_t sorted = sortListedRows(set, flags, count);
  if (set.cols == 2) {
    sweepTwoColumns(set, flags, sorted);
  } else if (set.cols == 3) {
    sweepThreeColumns(set, flags, sorted);
  } else if (set.cols >= kRegionsFromColumns && set.cols <= kRegionsUpToColumns &&
             sorted >= kRegionsFromRows) {
    settleByRegions(tier, set, flags, sorted, defaultDivideLimits());
  } else {
    divideFront(tier, set, flags, sorted, defaultDivideLimits());
  }
  flagsFromListedRows(set, flags, count);
}
