#include "dominance/passes/across_sets.h"

#include "common/no_contraction.h"
#include "dominance/kernels/row_scan/row_scan.h"
#include "dominance/passes/settle_across.h"
#include "dominance/sorts/row_order.h"
#include "dominance/tier_table.h"

namespace {

// Whether at most `most` rows of `first` stand among those without NaN.
bool fewStandingRows(const MatrixView& first, const double* firstFlags, std::int32_t most) {
  std::int32_t standing = 0;
  for (std::int32_t i = 0; i < first.rows; ++i) {
    if (firstFlags[i] != 0.0 && !rowHasNaN(first, i) && ++standing > most) return false;
  }
  return true;
}

}  // namespace

// Handing the rows still standing over to settleAcrossSets after any row of `first` is
// exact: see the cross-set closed form in dominance_rule.h.
void markAcrossSetsWithAllowance(Tier tier, const MatrixView& first, double* firstFlags,
                                 const MatrixView& second, double* secondFlags,
                                 const AcrossAllowance& allowance) {
  if (first.rows == 0 || second.rows == 0) return;
  const std::int32_t streamed =
      allowance.streamedRows < kStreamedFirstRows ? allowance.streamedRows : kStreamedFirstRows;
  if (streamed >= 0 && fewStandingRows(first, firstFlags, streamed)) {
    return firstRowsStreamFor(tier)(first, firstFlags, second, secondFlags);
  }
  const RowScan scan = rowScanFor(tier);
  const bool sortable = first.cols > 1 && acrossSettlingFits(first, second);
  const std::int64_t limit =
      allowance.base + allowance.perRow * (std::int64_t{first.rows} + second.rows);
  std::int64_t passed = 0;
  for (std::int32_t i = 0; i < first.rows; ++i) {
    if (firstFlags[i] == 0.0) continue;
    if (sortable && passed > limit) {
      return settleAcrossSets(tier, first, firstFlags, second, secondFlags, allowance);
    }
    passed += scan(first, i, firstFlags + i, second, 0, secondFlags).stop;
  }
}

// Uniform sets, whose standing first-set rows are few, take the stream. Otherwise a few
// thousand rows passed: a second set of one row or a few scans faster than it sorts, and
// fronts, heading for the product of the counts, leave the scan early.
AcrossAllowance defaultAcrossAllowance() {
  return {std::int64_t{1} << 12, 1, 512};
}

void markAcrossSetsFor(Tier tier, const MatrixView& first, double* firstFlags,
                       const MatrixView& second, double* secondFlags) {
  markAcrossSetsWithAllowance(tier, first, firstFlags, second, secondFlags,
                              defaultAcrossAllowance());
}
