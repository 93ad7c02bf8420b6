#ifndef DOMINANCE_KERNELS_STRONG_ROWS_STRONG_ROWS_DRIVER_H
#define DOMINANCE_KERNELS_STRONG_ROWS_STRONG_ROWS_DRIVER_H

// The parts of the strong-row filter that no tier changes, written once and compiled per
// tier: each strong_rows_<tier>.cpp includes this inside its tier's target region (baseline
// has none), after every other header (strong_rows.h first), and everything here has
// internal linkage.
//
// The tier's file defines Lanes with kWidth and
//   template <std::int32_t kCols, bool kListed> unsigned standing(m, first, rows, count, strong):
// the lanes of a block of `count` rows (at most kWidth; rows first, first + 1, ..., or
// rows[0 .. count) when kListed) that no strong row eliminates, kCols columns (0: m.cols).

namespace {

// Rows after which the filter checks whether it still pays, multiples of every kWidth: a
// first look at a few rows gives up only where almost all pass, as on a front; later looks,
// once the strong rows have settled, where most do.
constexpr std::int32_t kFirstCheck = 2048;
constexpr std::int32_t kCheckEvery = 8192;

// The matrix streams past the strong rows once, each column on its own: the hardware's own
// prefetching measured twice as slow on an AMD EPYC (Zen 5) as asking for lines this many
// rows ahead.
constexpr std::int32_t kRowsPerLine = 8;
constexpr std::int32_t kStreamAhead = 1024;

template <class Lanes>
struct StrongRowPass {
  template <std::int32_t kCols>
  static std::int32_t run(const MatrixView& m, double* flags) {
    constexpr std::int32_t kWidth = Lanes::kWidth;
    StrongRows strong;
    seedStrongRows(m, strong);
    // Rows that pass are listed from the start of the vector: the list never overtakes the
    // block being read, and the flags themselves are never read.
    std::int32_t count = 0;
    for (std::int32_t j = 0; j < m.rows; j += kWidth) {
      // On a front nearly every row passes: the rest are listed as they are, unread.
      if ((j == kFirstCheck && count > j / 16 * 15) ||
          (j % kCheckEvery == 0 && j > 0 && count > j / 8 * 7)) {
        for (std::int32_t row = j; row < m.rows; ++row) flags[count++] = row;
        return count;
      }
      // Far enough ahead of the blocks that memory keeps up, a line per column at a time.
      if (j % kRowsPerLine == 0 && j + kStreamAhead < m.rows) {
        for (std::int32_t k = 0; k < (kCols > 0 ? kCols : m.cols); ++k) {
          prefetchRead(columnData(m, k) + (j + kStreamAhead));
        }
      }
      const std::int32_t size = m.rows - j < kWidth ? m.rows - j : kWidth;
      unsigned standing = Lanes::template standing<kCols, false>(m, j, nullptr, size, strong);
      for (; standing != 0; standing &= standing - 1) {
        const std::int32_t row = j + lowestLane(standing);
        flags[count++] = row;
        offerStrongRow(m, row, strong);
      }
    }
    // The strong rows have improved on the way: rows listed early meet them now.
    std::int32_t kept = 0;
    for (std::int32_t p = 0; p < count; p += kWidth) {
      const std::int32_t size = count - p < kWidth ? count - p : kWidth;
      std::int32_t rows[kWidth] = {};
      for (std::int32_t lane = 0; lane < size; ++lane) rows[lane] = rowOf(flags[p + lane]);
      unsigned standing = Lanes::template standing<kCols, true>(m, 0, rows, size, strong);
      for (; standing != 0; standing &= standing - 1) flags[kept++] = rows[lowestLane(standing)];
    }
    return kept;
  }
};

// Short rows get the column count fixed at compile time, so that their loops unroll and
// their columns stay in registers.
template <class Lanes>
std::int32_t filterByColumnCount(const MatrixView& m, double* flags) {
  switch (m.cols) {
    case 2:
      return StrongRowPass<Lanes>::template run<2>(m, flags);
    case 3:
      return StrongRowPass<Lanes>::template run<3>(m, flags);
    case 4:
      return StrongRowPass<Lanes>::template run<4>(m, flags);
    case 5:
      return StrongRowPass<Lanes>::template run<5>(m, flags);
    case 6:
      return StrongRowPass<Lanes>::template run<6>(m, flags);
    case 7:
      return StrongRowPass<Lanes>::template run<7>(m, flags);
    case 8:
      return StrongRowPass<Lanes>::template run<8>(m, flags);
    default:
      return StrongRowPass<Lanes>::template run<0>(m, flags);
  }
}

}  // namespace

#endif
