#include "common/no_contraction.h"
#include "dominance/kernels/row_scan/row_scan.h"
#include "dominance/kernels/row_scan/row_scan_driver.h"

namespace {

struct ScalarScan {
  template <std::int32_t kCols>
  static ScanOutcome run(const MatrixView& first, std::int32_t row, double* firstFlag,
                         const MatrixView& second, std::int32_t begin, double* secondFlags) {
    const std::int32_t cols = kCols > 0 ? kCols : first.cols;
    const std::ptrdiff_t firstStride = first.rows;
    const std::ptrdiff_t secondStride = second.rows;
    std::int32_t eliminated = 0;
    for (std::int32_t j = begin; j < second.rows; ++j) {
      if (secondFlags[j] == 0.0) continue;
      bool firstGe = true;
      bool secondGe = true;
      // Once both directions fail the pair is incomparable, no rule can fire, and no later
      // column can change that.
      for (std::int32_t k = 0; k < cols && (firstGe || secondGe); ++k) {
        const double a = first.data[row + k * firstStride];
        const double b = second.data[j + k * secondStride];
        firstGe = firstGe && a >= b;
        secondGe = secondGe && b >= a;
      }
      // All columns equal is exactly both directions holding, so the second row dominates
      // when only the first direction holds.
      if (firstGe && !secondGe) {
        *firstFlag = 0.0;
        return {j, eliminated};
      }
      if (secondGe) {
        secondFlags[j] = 0.0;
        ++eliminated;
      }
    }
    return {second.rows, eliminated};
  }
};

}  // namespace

ScanOutcome scanRowBaseline(const MatrixView& first, std::int32_t row, double* firstFlag,
                            const MatrixView& second, std::int32_t begin, double* secondFlags) {
  return scanByColumnCount<ScalarScan>(first, row, firstFlag, second, begin, secondFlags);
}
