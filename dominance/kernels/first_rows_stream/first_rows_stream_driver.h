#ifndef DOMINANCE_KERNELS_FIRST_ROWS_STREAM_FIRST_ROWS_STREAM_DRIVER_H
#define DOMINANCE_KERNELS_FIRST_ROWS_STREAM_FIRST_ROWS_STREAM_DRIVER_H

// The parts of the first-rows stream that no tier changes, written once and compiled per
// tier: each first_rows_stream_<tier>.cpp includes this inside its tier's target region
// (baseline has none), after every other header (first_rows_stream.h first), and everything
// here has internal linkage.
//
// The tier's file defines Lanes with kWidth and
//   template <std::int32_t kCols> unsigned block(second, begin, count, first, open, size,
//                                                secondFlags, unsigned& over):
// of the `count` second-set rows from `begin` (at most kWidth), the lanes that no row of
// open[0 .. size) is <= in every column, the others' flags set to 0.0; `over` receives,
// among those, the lanes that dominate one of them. kCols columns (0: second.cols).

namespace {

// Rows ahead of the block whose lines are asked for, a line per column at a time, as the
// strong rows of the within-set pass do.
constexpr std::int32_t kStreamRowsPerLine = 8;
constexpr std::int32_t kStreamLinesAhead = 1024;

// Row a of `m` is <= row b of `n` in every column.
inline bool rowAtMost(const MatrixView& m, std::int32_t a, const MatrixView& n, std::int32_t b) {
  for (std::int32_t k = 0; k < m.cols; ++k) {
    if (!(elementAt(m, a, k) <= elementAt(n, b, k))) return false;
  }
  return true;
}

// Second-set rows [from, end) one at a time, in order, as the literal scan would meet them:
// for a block in which a row closes an open row, from that row on.
inline void settleRowsFrom(const MatrixView& first, double* firstFlags, const MatrixView& second,
                           double* secondFlags, std::int32_t from, std::int32_t end,
                           std::int32_t* open, std::int32_t& size) {
  for (std::int32_t j = from; j < end; ++j) {
    bool falls = false;
    for (std::int32_t w = 0; w < size && !falls; ++w) falls = rowAtMost(first, open[w], second, j);
    secondFlags[j] = falls ? 0.0 : 1.0;
    if (falls) continue;
    // No open row is <= row j, so row j differs from any open row it is <= everywhere.
    std::int32_t kept = 0;
    for (std::int32_t w = 0; w < size; ++w) {
      const std::int32_t row = open[w];
      if (rowAtMost(second, j, first, row)) {
        firstFlags[row] = 0.0;
      } else {
        open[kept++] = row;
      }
    }
    size = kept;
  }
}

// The open rows by a score that sums each column's values on the scale of a sample of the
// second set, so that the rows likeliest to be <= a second-set row come first; the order
// never changes a result, only how soon a block's rows all fall.
inline std::int32_t openRowsByScore(const MatrixView& first, const double* firstFlags,
                                    const MatrixView& second, std::int32_t* open) {
  std::int32_t size = 0;
  for (std::int32_t r = 0; r < first.rows; ++r) {
    if (firstFlags[r] != 0.0 && !rowHasNaN(first, r)) open[size++] = r;
  }
  if (size <= 1 || second.rows == 0) return size;
  constexpr std::int32_t kSample = 64;
  constexpr std::int32_t kScored = 16;
  const std::int32_t scored = first.cols < kScored ? first.cols : kScored;
  double low[kScored] = {};
  double scale[kScored] = {};
  for (std::int32_t k = 0; k < scored; ++k) {
    bool seen = false;
    double high = 0.0;
    for (std::int32_t s = 0; s < kSample; ++s) {
      const auto row = static_cast<std::int32_t>(std::int64_t{second.rows - 1} * s / (kSample - 1));
      const double v = elementAt(second, row, k);
      if (!(v - v == 0.0)) continue;  // finite values only
      low[k] = !seen || v < low[k] ? v : low[k];
      high = !seen || v > high ? v : high;
      seen = true;
    }
    scale[k] = high > low[k] ? 1.0 / (high - low[k]) : 0.0;
  }
  double scores[kStreamedFirstRows];
  for (std::int32_t i = 0; i < size; ++i) {
    const std::int32_t r = open[i];
    double score = 0.0;
    for (std::int32_t k = 0; k < scored; ++k) {
      const double v = elementAt(first, r, k);
      // Infinite values weigh as the ends of the range.
      score += v - v == 0.0 ? (v - low[k]) * scale[k] : (v < 0.0 ? -1.0 : 2.0);
    }
    std::int32_t at = i;
    for (; at > 0 && score < scores[at - 1]; --at) {
      open[at] = open[at - 1];
      scores[at] = scores[at - 1];
    }
    open[at] = r;
    scores[at] = score;
  }
  return size;
}

template <class Lanes>
struct FirstRowsPass {
  template <std::int32_t kCols>
  static void run(const MatrixView& first, double* firstFlags, const MatrixView& second,
                  double* secondFlags) {
    constexpr std::int32_t kWidth = Lanes::kWidth;
    std::int32_t open[kStreamedFirstRows];
    std::int32_t size = openRowsByScore(first, firstFlags, second, open);
    const std::int32_t cols = kCols > 0 ? kCols : second.cols;
    // Once no row is open, the rest of the second set stands.
    for (std::int32_t j = 0; j < second.rows && size > 0; j += kWidth) {
      if (j % kStreamRowsPerLine == 0 && j + kStreamLinesAhead < second.rows) {
        for (std::int32_t k = 0; k < cols; ++k) {
          prefetchRead(columnData(second, k) + (j + kStreamLinesAhead));
        }
      }
      const std::int32_t count = second.rows - j < kWidth ? second.rows - j : kWidth;
      unsigned over = 0;
      Lanes::template block<kCols>(second, j, count, first, open, size, secondFlags, over);
      // A row that closes an open row changes which rows fall after it in the block.
      if (over != 0) {
        settleRowsFrom(first, firstFlags, second, secondFlags, j + lowestLane(over), j + count,
                       open, size);
      }
    }
  }
};

// Short rows get the column count fixed at compile time, so that their loops unroll and
// their columns stay in registers.
template <class Lanes>
void streamByColumnCount(const MatrixView& first, double* firstFlags, const MatrixView& second,
                         double* secondFlags) {
  switch (second.cols) {
    case 2:
      return FirstRowsPass<Lanes>::template run<2>(first, firstFlags, second, secondFlags);
    case 3:
      return FirstRowsPass<Lanes>::template run<3>(first, firstFlags, second, secondFlags);
    case 4:
      return FirstRowsPass<Lanes>::template run<4>(first, firstFlags, second, secondFlags);
    case 5:
      return FirstRowsPass<Lanes>::template run<5>(first, firstFlags, second, secondFlags);
    case 6:
      return FirstRowsPass<Lanes>::template run<6>(first, firstFlags, second, secondFlags);
    case 8:
      return FirstRowsPass<Lanes>::template run<8>(first, firstFlags, second, secondFlags);
    default:
      return FirstRowsPass<Lanes>::template run<0>(first, firstFlags, second, secondFlags);
  }
}

}  // namespace

#endif
