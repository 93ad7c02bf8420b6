#ifndef DOMINANCE_KERNELS_ROW_SCAN_ROW_SCAN_DRIVER_H
#define DOMINANCE_KERNELS_ROW_SCAN_ROW_SCAN_DRIVER_H

// The parts of the row scans that no tier changes, written once and compiled per tier: each
// row_scan_<tier>.cpp includes this inside its tier's target region (baseline has none),
// after every other header (row_scan.h first), and everything here has internal linkage.

namespace {

// Short rows get the column count fixed at compile time, so that their column loop unrolls;
// Scan::run<0> reads the count from the matrix.
template <class Scan>
ScanOutcome scanByColumnCount(const MatrixView& first, std::int32_t row, double* firstFlag,
                              const MatrixView& second, std::int32_t begin, double* secondFlags) {
  switch (first.cols) {
    case 2:
      return Scan::template run<2>(first, row, firstFlag, second, begin, secondFlags);
    case 3:
      return Scan::template run<3>(first, row, firstFlag, second, begin, secondFlags);
    default:
      return Scan::template run<0>(first, row, firstFlag, second, begin, secondFlags);
  }
}

// The scan of a vector tier. Rows j .. j + kWidth - 1 of one column are contiguous, so
// Lanes::compareBlock compares the first row with kWidth rows of the second matrix at once,
// lanes outside its range never loaded; it applies the block's decisions in lane order, and
// returns the lane that eliminates the first row, or -1. Lanes::runEliminated says whether
// the flags of four blocks are all 0.0.
template <class Lanes>
struct BlockScan {
  template <std::int32_t kCols>
  static ScanOutcome run(const MatrixView& first, std::int32_t row, double* firstFlag,
                         const MatrixView& second, std::int32_t begin, double* secondFlags) {
    constexpr std::int32_t kWidth = Lanes::kWidth;
    constexpr std::int32_t kRun = 4 * kWidth;
    const std::ptrdiff_t firstStride = first.rows;
    const std::ptrdiff_t secondStride = second.rows;
    const std::int32_t end = second.rows;
    std::int32_t eliminated = 0;
    std::int32_t j = begin;
    for (; end - j >= kWidth; j += kWidth) {
      // Late in a scan most rows are eliminated: runs of them are passed over four blocks at
      // a time, which keeps the branch predictable where single blocks would be a coin toss.
      // A run is looked for only at every fourth block from `begin`: looking again at each of
      // the next three blocks would mostly re-read flags just found standing.
      if (end - j >= kRun && ((j - begin) & (kRun - 1)) == 0 &&
          Lanes::runEliminated(secondFlags + j)) {
        j += kRun - kWidth;
        continue;
      }
      const int lane = Lanes::template compareBlock<kCols, false>(
          first.data, row, firstStride, first.cols, second.data, j, secondStride, secondFlags + j,
          Lanes::allLanes(), eliminated);
      if (lane >= 0) {
        *firstFlag = 0.0;
        return {j + lane, eliminated};
      }
    }
    if (j < end) {
      const int lane = Lanes::template compareBlock<kCols, true>(
          first.data, row, firstStride, first.cols, second.data, j, secondStride, secondFlags + j,
          Lanes::firstLanes(end - j), eliminated);
      if (lane >= 0) {
        *firstFlag = 0.0;
        return {j + lane, eliminated};
      }
    }
    return {end, eliminated};
  }
};

}  // namespace

#endif
