#include "common/no_contraction.h"
#include "dominance/front_filter.h"
#include "dominance/front_sweeps.h"
#include "dominance/marking_variants.h"
#include "dominance/row_scan.h"
#include "dominance/sorted_rows.h"

namespace {

// With one column a row stands exactly when it holds NaN or is the first occurrence of the
// smallest value.
void markSingleColumn(const MatrixView& set, double* flags) {
  const double* values = set.data;
  std::int32_t best = -1;
  for (std::int32_t r = 0; r < set.rows; ++r) {
    if (values[r] == values[r] && (best < 0 || values[r] < values[best])) best = r;
  }
  for (std::int32_t r = 0; r < set.rows; ++r) {
    flags[r] = r == best || values[r] != values[r] ? 1.0 : 0.0;
  }
}

// With no columns every row equals every other.
void keepFirstStandingRow(const MatrixView& set, double* flags) {
  std::int32_t r = 0;
  while (r < set.rows && flags[r] == 0.0) ++r;
  for (++r; r < set.rows; ++r) flags[r] = 0.0;
}

}  // namespace

void settleStandingRows(Tier tier, const MatrixView& set, double* flags) {
  if (set.cols == 0) return keepFirstStandingRow(set, flags);
  const std::int32_t count = sortStandingRows(set, flags);
  if (set.cols == 2) {
    sweepTwoColumns(set, flags, count);
  } else if (set.cols == 3) {
    sweepThreeColumns(set, flags, count);
  } else {
    frontFilterFor(tier)(set, flags, count);
  }
  flagsFromListedRows(set, flags, count);
}

// Eliminations made by the scan are final, and the rows still standing then settle among
// themselves exactly as in the full scan: anything that eliminates one of them is itself
// eliminated only by rows that stand or that would eliminate it too.
void markWithinSetWithAllowance(Tier tier, const MatrixView& set, double* flags,
                                ScanAllowance allowance) {
  if (set.rows <= 1) return;
  if (set.cols == 1) return markSingleColumn(set, flags);
  const RowScan scan = rowScanFor(tier);
  std::int64_t compared = 0;
  std::int64_t eliminated = 0;
  for (std::int32_t i = 0; i + 1 < set.rows; ++i) {
    if (flags[i] == 0.0) continue;
    const ScanOutcome outcome = scan(set, i, flags + i, set, i + 1, flags);
    compared += outcome.stop - i;
    eliminated += outcome.eliminated;
    if (compared > allowance.base + allowance.perEliminated * eliminated) {
      return settleStandingRows(tier, set, flags);
    }
  }
}

// Small sets never leave the scan: the sorted passes cost more than a few hundred pairs.
ScanAllowance defaultScanAllowance(const MatrixView& set) {
  return {1024 + 2 * std::int64_t{set.rows}, 64};
}

void markWithinSetFor(Tier tier, const MatrixView& set, double* flags) {
  markWithinSetWithAllowance(tier, set, flags, defaultScanAllowance(set));
}

void markAcrossSetsFor(Tier tier, const MatrixView& first, double* firstFlags,
                       const MatrixView& second, double* secondFlags) {
  const RowScan scan = rowScanFor(tier);
  for (std::int32_t i = 0; i < first.rows; ++i) {
    if (firstFlags[i] != 0.0) scan(first, i, firstFlags + i, second, 0, secondFlags);
  }
}
