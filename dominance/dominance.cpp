#include "dominance/dominance.h"

#include "common/no_contraction.h"
#include "common/tier.h"
#include "dominance/passes/across_sets.h"
#include "dominance/passes/within_set.h"

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
