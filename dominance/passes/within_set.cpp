#include "dominance/passes/within_set.h"

#include "common/no_contraction.h"
#include "dominance/kernels/row_scan/row_scan.h"
#include "dominance/passes/settle.h"
#include "dominance/tier_table.h"

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

}  // namespace

// Handing the rows still standing over to the sorted passes at any point is exact, and so
// are the strong rows' eliminations: see the hand-over in dominance_rule.h.
void markWithinSetWithLimits(Tier tier, const MatrixView& set, double* flags,
                             WithinSetLimits limits) {
  if (set.rows <= 1) return;
  if (set.cols == 1) return markSingleColumn(set, flags);
  if (set.cols >= 2 && set.rows >= limits.strongRowsFrom) {
    const std::int32_t count = strongRowFilterFor(tier)(set, flags);
    return settleListedRows(tier, set, flags, count);
  }
  const RowScan scan = rowScanFor(tier);
  std::int64_t compared = 0;
  std::int64_t eliminated = 0;
  for (std::int32_t i = 0; i + 1 < set.rows; ++i) {
    if (flags[i] == 0.0) continue;
    const ScanOutcome outcome = scan(set, i, flags + i, set, i + 1, flags);
    compared += outcome.stop - i;
    eliminated += outcome.eliminated;
    if (compared > limits.scan.base + limits.scan.perEliminated * eliminated) {
      return settleStandingRows(tier, set, flags);
    }
  }
}

// Small sets never leave the scan: the sorted passes cost more than a few hundred pairs.
WithinSetLimits defaultWithinSetLimits(const MatrixView& set) {
  return {4096, {1024 + std::int64_t{set.rows} / 4, 64}};
}

void markWithinSetFor(Tier tier, const MatrixView& set, double* flags) {
  markWithinSetWithLimits(tier, set, flags, defaultWithinSetLimits(set));
}
