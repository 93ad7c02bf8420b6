#ifndef BENCH_DOMINANCE_LITERAL_MARKING_H
#define BENCH_DOMINANCE_LITERAL_MARKING_H

// The two passes as first written: every pair compared over every column, in scan order,
// by the rule as dominance_rule.h states it, inlined as it was in the shipped code.

#include <cstdint>

#include "common/matrix_view.h"
#include "dominance/dominance_rule.h"

namespace literal {

inline void markWithinSet(const MatrixView& set, double* flags) {
  for (std::int32_t i = 0; i + 1 < set.rows; ++i) {
    for (std::int32_t j = i + 1; j < set.rows; ++j) {
      if (flags[i] == 0.0) break;
      if (flags[j] == 0.0) continue;
      applyPairDecision(compareRows(set, i, set, j, set.cols), flags[i], flags[j]);
    }
  }
}

inline void markAcrossSets(const MatrixView& first, double* firstFlags, const MatrixView& second,
                           double* secondFlags) {
  for (std::int32_t i = 0; i < first.rows; ++i) {
    for (std::int32_t j = 0; j < second.rows; ++j) {
      if (firstFlags[i] == 0.0) break;
      if (secondFlags[j] == 0.0) continue;
      applyPairDecision(compareRows(first, i, second, j, first.cols), firstFlags[i],
                        secondFlags[j]);
    }
  }
}

}  // namespace literal

#endif
