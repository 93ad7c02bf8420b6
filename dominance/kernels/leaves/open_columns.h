#ifndef DOMINANCE_KERNELS_LEAVES_OPEN_COLUMNS_H
#define DOMINANCE_KERNELS_LEAVES_OPEN_COLUMNS_H

#include <cstdint>

#include "common/matrix_view.h"

// The columns a comparison of two groups of rows still has to check, in order: those of the
// first kListed columns that are listed, then every column from kListed on. Groups from two
// pivot regions whose sets are subsets are known to be <= in the columns that set apart
// their regions, so comparing them leaves those columns out.
struct OpenColumns {
  static constexpr std::int32_t kListed = 8;
  std::int32_t count;   // how many columns are open in all
  std::int32_t listed;  // how many of them are in `lead`
  std::int32_t lead[kListed];

  std::int32_t at(std::int32_t i) const { return i < listed ? lead[i] : kListed + (i - listed); }
};

// Every column of a matrix with `cols` columns, in order: at(i) == i.
inline OpenColumns everyColumn(std::int32_t cols) {
  OpenColumns open{cols, cols < OpenColumns::kListed ? cols : OpenColumns::kListed, {}};
  for (std::int32_t k = 0; k < open.listed; ++k) open.lead[k] = k;
  return open;
}

// Every column but those among the first kListed whose bit is set in `known`.
inline OpenColumns columnsBesides(std::int32_t cols, unsigned known) {
  OpenColumns open{0, 0, {}};
  for (std::int32_t k = 0; k < cols && k < OpenColumns::kListed; ++k) {
    if ((known >> k & 1u) == 0) open.lead[open.listed++] = k;
  }
  open.count = open.listed + (cols > OpenColumns::kListed ? cols - OpenColumns::kListed : 0);
  return open;
}

// Whether row `lower` is <= row `upper` in the open columns from position `from` on.
inline bool rowAtMostOn(const MatrixView& m, const OpenColumns& open, std::int32_t lower,
                        std::int32_t upper, std::int32_t from) {
  for (std::int32_t i = from; i < open.count; ++i) {
    const std::int32_t k = open.at(i);
    if (!(elementAt(m, lower, k) <= elementAt(m, upper, k))) return false;
  }
  return true;
}

#endif
