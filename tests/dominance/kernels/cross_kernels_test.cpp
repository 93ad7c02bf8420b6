// The cross-set kernels of each tier against the rule itself: the pair kernel against every
// pair compared one by one, and the stream of the second set past a few first-set rows against
// the literal scan.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "dominance/kernels/cross_cover.h"
#include "dominance/tier_table.h"
#include "tests/dominance/every_tier.h"
#include "tests/dominance/paired_sets.h"
#include "tests/dominance/random_rows.h"
#include "tests/dominance/reference_marking.h"
#include "tests/dominance/shaped_rows.h"

namespace {

class CrossKernels : public EveryTier {};

// Entries holding a row below a mark bit and junk bits between, as the passes' entries do.
std::vector<double> entriesOf(std::mt19937_64& rng, std::size_t rows, std::size_t count,
                              int rowBits) {
  std::vector<double> entries(count);
  for (double& e : entries) {
    const auto junk = static_cast<std::int64_t>(rng() % 64) << rowBits;
    e = static_cast<double>(junk | static_cast<std::int64_t>(rng() % rows));
  }
  return entries;
}

// Groups on both sides of every block width, every first column, and more columns than stay
// in registers; rows drawn with ties, NaN, +-0 and +-Inf.
TEST_P(CrossKernels, PairKernelMarksExactlyTheCoveredQueries) {
  std::mt19937_64 rng(8101);
  const CrossCover kernel = crossCoverFor(GetParam());
  for (int trial = 0; trial < 3000; ++trial) {
    const auto cols = static_cast<std::size_t>(1 + trial % 12);
    const RowMatrix p = randomRows(rng, 1 + rng() % 40, cols, 2 + trial % 4);
    const RowMatrix q = trial % 3 == 0 ? pairedSet(rng, p, 1 + rng() % 40, 2 + trial % 4)
                                       : randomRows(rng, 1 + rng() % 40, cols, 2 + trial % 4);
    const int pointBits = 6;
    const int queryBits = 7;
    const std::vector<double> points = entriesOf(rng, p.rows, rng() % 37, pointBits);
    std::vector<double> queries = entriesOf(rng, q.rows, rng() % 37, queryBits);
    const auto col = static_cast<std::int32_t>(rng() % cols);
    const double mark = static_cast<double>(std::int64_t{1} << 20);
    std::vector<double> expected = queries;
    for (double& e : expected) {
      const std::int32_t row = crossRow(e, (1 << queryBits) - 1);
      for (const double point : points) {
        if (rowAtMostAcross(viewOf(p), crossRow(point, (1 << pointBits) - 1), viewOf(q), row,
                            col)) {
          e += mark;
          break;
        }
      }
    }
    kernel({viewOf(p), (1 << pointBits) - 1}, points.data(),
           static_cast<std::int32_t>(points.size()), {viewOf(q), (1 << queryBits) - 1},
           queries.data(), static_cast<std::int32_t>(queries.size()), col, mark);
    ASSERT_EQ(queries, expected) << "trial " << trial;
  }
}

// At most kStreamedFirstRows standing first-set rows (rows holding NaN besides), the second
// set drawn apart or built from the first, of every length around the block widths: rows that
// close a first-set row in the middle of a block, copies of first-set rows, NaN rows.
TEST_P(CrossKernels, StreamGivesTheScansFlags) {
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
TEST_P(CrossKernels, StreamHoldsAsManyRowsAsItTakes) {
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

INSTANTIATE_EVERY_TIER(CrossKernels);

}  // namespace
