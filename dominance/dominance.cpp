#include "dominance/dominance.h"

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

// Both rules read the same verdict; at most one of them fires.
inline void applyPairDecision(const PairVerdict& verdict, double& firstFlag, double& secondFlag) {
  if (verdict.firstGreaterOrEqual && !verdict.allEqual) firstFlag = 0.0;
  if (verdict.secondGreaterOrEqual) secondFlag = 0.0;
}

}  // namespace

void markWithinSet(const MatrixView& set, double* flags) {
  for (std::int32_t i = 0; i + 1 < set.rows; ++i) {
    for (std::int32_t j = i + 1; j < set.rows; ++j) {
      if (flags[i] == 0.0) break;
      if (flags[j] == 0.0) continue;
      applyPairDecision(compareRows(set, i, set, j, set.cols), flags[i], flags[j]);
    }
  }
}

void markAcrossSets(const MatrixView& first, double* firstFlags, const MatrixView& second,
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
