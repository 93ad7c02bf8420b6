#include "dominance/dominance.h"

#include "common/no_contraction.h"
#include "dominance/marking_variants.h"

PairVerdict compareRows(const MatrixView& first, std::int32_t firstRow, const MatrixView& second,
                        std::int32_t secondRow, std::int32_t cols) {
  PairVerdict verdict{true, true, true};
  for (std::int32_t k = 0; k < cols; ++k) {
    const double a = elementAt(first, firstRow, k);
    const double b = elementAt(second, secondRow, k);
    verdict.firstGreaterOrEqual = verdict.firstGreaterOrEqual && a >= b;
    verdict.allEqual = verdict.allEqual && a == b;
    verdict.secondGreaterOrEqual = verdict.secondGreaterOrEqual && b >= a;
  }
  return verdict;
}

namespace {

// A handful of rows is scanned faster than the processor is asked for its tier.
constexpr std::int32_t kRowsForVectorTiers = 16;

}  // namespace

void markWithinSet(const MatrixView& set, double* flags) {
  const bool few = set.rows < kRowsForVectorTiers;
  markWithinSetFor(few ? Tier::baseline : detectTier(), set, flags);
}

void markAcrossSets(const MatrixView& first, double* firstFlags, const MatrixView& second,
                    double* secondFlags) {
  const bool few = second.rows < kRowsForVectorTiers;
  markAcrossSetsFor(few ? Tier::baseline : detectTier(), first, firstFlags, second, secondFlags);
}
