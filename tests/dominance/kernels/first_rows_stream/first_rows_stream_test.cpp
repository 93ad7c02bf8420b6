// Each tier's stream of the second set past a few standing first-set rows against the literal
// scan.

#include "dominance/kernels/first_rows_stream/first_rows_stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "dominance/tier_table.h"
#include "tests/dominance/every_tier.h"
#include "tests/dominance/paired_sets.h"
#include "tests/dominance/reference_marking.h"
#include "tests/dominance/shaped_rows.h"

namespace {

class FirstRowsStreamTiers : public EveryTier {};

// At most kStreamedFirstRows standing first-set rows (rows holding NaN besides), the second
// set drawn apart or built from the first, of every length around the block widths: rows that
// close a first-set row in the middle of a block, copies of first-set rows, NaN rows.
TEST_P(FirstRowsStreamTiers, StreamGivesTheScansFlags) {
  std::mt19937_64 rng(8111);
  const FirstRowsStream stream = firstRowsStreamFor(GetParam());
  for (int trial = 0; trial < 4000; ++trial) {
    const auto cols = static_cast<std::size_t>(trial % 11);
    const RowMatrix a = shapedRows(rng, trial, static_cast<std::size_t>(trial / 11 % 90), cols);
    const auto rows = static_cast<std::size_t>(trial / 3 % 53);
    const RowMatrix b = trial % 7 == 0   ? a
                        : trial % 2 == 0 ? pairedSet(rng, a, rows, 2 + trial % 5)
                                         : shapedRows(rng, trial / 5, rows, cols);
    std::vector<double> fa = referenceWithinSet(a);
    std::size_t standing = 0;
    for (std::size_t r = 0; r < a.rows; ++r) {
      bool hasNaN = false;
      for (std::size_t c = 0; c < cols; ++c) hasNaN = hasNaN || a.at(r, c) != a.at(r, c);
      standing += fa[r] == 1.0 && !hasNaN ? 1 : 0;
    }
    if (standing > static_cast<std::size_t>(kStreamedFirstRows)) continue;
    std::vector<double> expectA = fa;
    std::vector<double> expectB(b.rows, 1.0);
    referenceAcrossSets(a, expectA, b, expectB);
    std::vector<double> fb(b.rows, 1.0);
    stream(viewOf(a), fa.data(), viewOf(b), fb.data());
    ASSERT_EQ(fa, expectA) << "trial " << trial;
    ASSERT_EQ(fb, expectB) << "trial " << trial;
  }
}

// Rows of non-negative integers summing to `total`: none dominates another unless equal.
RowMatrix sumRows(std::mt19937_64& rng, std::size_t rows, std::size_t cols, int total) {
  RowMatrix m{rows, cols, std::vector<double>(rows * cols, 0.0)};
  for (std::size_t r = 0; r < rows; ++r) {
    for (int unit = 0; unit < total; ++unit) m.values[r + (rng() % cols) * rows] += 1.0;
  }
  return m;
}

// kStreamedFirstRows first-set rows, all open for long: a front against a long second set of
// the front's rows, copies of them, and rows one unit ahead of them (which close them one by
// one) or behind them.
TEST_P(FirstRowsStreamTiers, StreamHoldsAsManyRowsAsItTakes) {
  std::mt19937_64 rng(8117);
  const FirstRowsStream stream = firstRowsStreamFor(GetParam());
  for (int trial = 0; trial < 60; ++trial) {
    const std::size_t cols = 2 + static_cast<std::size_t>(trial % 8);
    const RowMatrix a = sumRows(rng, kStreamedFirstRows, cols, 600);
    std::vector<double> fa = referenceWithinSet(a);
    RowMatrix b = sumRows(rng, 200 + rng() % 300, cols, 600);
    for (std::size_t r = 0; r < b.rows; ++r) {
      if (rng() % 3 == 0) continue;
      const std::size_t from = rng() % a.rows;
      for (std::size_t c = 0; c < cols; ++c) b.values[r + c * b.rows] = a.at(from, c);
      if (rng() % 2 == 0) b.values[r + (rng() % cols) * b.rows] += rng() % 2 == 0 ? -1.0 : 1.0;
    }
    std::vector<double> expectA = fa;
    std::vector<double> expectB(b.rows, 1.0);
    referenceAcrossSets(a, expectA, b, expectB);
    std::vector<double> fb(b.rows, 1.0);
    stream(viewOf(a), fa.data(), viewOf(b), fb.data());
    ASSERT_EQ(fa, expectA) << "trial " << trial;
    ASSERT_EQ(fb, expectB) << "trial " << trial;
  }
}

INSTANTIATE_EVERY_TIER(FirstRowsStreamTiers);

}  // namespace
