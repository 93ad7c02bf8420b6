#ifndef BENCH_DOMINANCE_LITERAL_MARKING_H
#define BENCH_DOMINANCE_LITERAL_MARKING_H

// The two passes as first written: every pair compared over every column, in scan order.
// Kept in one translation unit with the benchmarks so that the comparison inlines, as it
// did in the shipped code.

#include <cstdint>

#include "common/matrix_view.h"

namespace literal {

struct Verdict {
  bool firstGreaterOrEqual;
  bool allEqual;
  bool secondGreaterOrEqual;
};

inline Verdict compare(const MatrixView& first, std::int32_t firstRow, const MatrixView& second,
                       std::int32_t secondRow, std::int32_t cols) {
  Verdict verdict{true, true, true};
  for (std::int32_t k = 0; k < cols; ++k) {
    const double a = elementAt(first, firstRow, k);
    const double b = elementAt(second, secondRow, k);
    verdict.firstGreaterOrEqual = verdict.firstGreaterOrEqual && a >= b;
    verdict.allEqual = verdict.allEqual && a == b;
    verdict.secondGreaterOrEqual = verdict.secondGreaterOrEqual && b >= a;
  }
  return verdict;
}

inline void decide(const Verdict& verdict, double& firstFlag, double& secondFlag) {
  if (verdict.firstGreaterOrEqual && !verdict.allEqual) firstFlag = 0.0;
  if (verdict.secondGreaterOrEqual) secondFlag = 0.0;
}

inline void markWithinSet(const MatrixView& set, double* flags) {
  for (std::int32_t i = 0; i + 1 < set.rows; ++i) {
    for (std::int32_t j = i + 1; j < set.rows; ++j) {
      if (flags[i] == 0.0) break;
      if (flags[j] == 0.0) continue;
      decide(compare(set, i, set, j, set.cols), flags[i], flags[j]);
    }
  }
}

inline void markAcrossSets(const MatrixView& first, double* firstFlags, const MatrixView& second,
                           double* secondFlags) {
  for (std::int32_t i = 0; i < first.rows; ++i) {
    for (std::int32_t j = 0; j < second.rows; ++j) {
      if (firstFlags[i] == 0.0) break;
      if (secondFlags[j] == 0.0) continue;
      decide(compare(first, i, second, j, first.cols), firstFlags[i], secondFlags[j]);
    }
  }
}

}  // namespace literal

#endif
