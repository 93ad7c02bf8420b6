// The divide and conquer for many columns, with limits lowered so that a few dozen rows
// already reach every step, against the closed form of the within-set result.

#include "dominance/fronts/front_divide.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "common/tier.h"
#include "dominance/fronts/front_regions.h"
#include "dominance/sorts/sorted_rows.h"
#include "tests/dominance/every_tier.h"
#include "tests/dominance/reference_marking.h"
#include "tests/dominance/shaped_rows.h"

namespace {

std::vector<double> divided(const RowMatrix& m, Tier tier, DivideLimits limits) {
  std::vector<double> flags(m.rows, 1.0);
  const MatrixView view = viewOf(m);
  const std::int32_t listed = listStandingRows(flags.data(), view.rows);
  const std::int32_t count = sortListedRows(view, flags.data(), listed);
  divideFront(tier, view, flags.data(), count, limits);
  flagsFromListedRows(view, flags.data(), listed);
  return flags;
}

// Every column takes values a few units in the last place apart, so keys packed from their
// leading bits tie while the values differ.
RowMatrix ulpApartRows(std::mt19937_64& rng, std::size_t rows, std::size_t cols) {
  RowMatrix m = randomRows(rng, rows, cols, 3);
  for (double& v : m.values) {
    if (v != v || rng() % 8 == 0) continue;
    v = 1.0 + static_cast<double>(rng() % 4) * std::numeric_limits<double>::epsilon();
  }
  return m;
}

// Splits at every size, pairwise comparison only of single pairs, and near the defaults.
constexpr DivideLimits kLimits[] = {{1, 0}, {2, 1}, {3, 5}, {7, 30}, {256, 256}};

class DivideEveryTier : public EveryTier {};

// Ties in every split column, repeated rows on both sides of a split, NaN, +-0 and +-Inf.
TEST_P(DivideEveryTier, MatchesTheScanOnSmallShapedRows) {
  std::mt19937_64 rng(4242);
  for (int trial = 0; trial < 2500; ++trial) {
    const auto rows = static_cast<std::size_t>(trial % 61);
    const auto cols = static_cast<std::size_t>(2 + trial / 61 % 11);
    const RowMatrix m =
        trial % 4 == 3 ? ulpApartRows(rng, rows, cols) : shapedRows(rng, trial, rows, cols);
    const std::vector<double> expected = referenceWithinSet(m);
    for (const DivideLimits& limits : kLimits) {
      ASSERT_EQ(divided(m, GetParam(), limits), expected)
          << "trial " << trial << " limits " << limits.leafRows << "/" << limits.leafPairs;
    }
  }
}

// Larger sets: whole fronts, where nothing prunes the recursion, and rows with few values
// or values that tie in their leading bits.
TEST_P(DivideEveryTier, MatchesTheScanOnLargerSets) {
  std::mt19937_64 rng(977);
  for (const std::size_t cols : {4u, 5u, 7u, 12u}) {
    for (const RowMatrix& m : {frontRows(rng, 700, cols), randomRows(rng, 700, cols, 3),
                               nearTieRows(rng, 500, cols), ulpApartRows(rng, 500, cols)}) {
      const std::vector<double> expected = referenceWithinSet(m);
      for (const DivideLimits& limits : kLimits) {
        ASSERT_EQ(divided(m, GetParam(), limits), expected) << cols << " columns";
      }
    }
  }
}

// The pivot's regions first, each settled by the divide and conquer: the same shapes, with
// rows equal to the pivot, infinities that leave a column without a scale, and more columns
// than the regions read.
std::vector<double> byRegions(const RowMatrix& m, Tier tier, DivideLimits limits) {
  std::vector<double> flags(m.rows, 1.0);
  const MatrixView view = viewOf(m);
  const std::int32_t listed = listStandingRows(flags.data(), view.rows);
  const std::int32_t count = sortListedRows(view, flags.data(), listed);
  if (count > 0) settleByRegions(tier, view, flags.data(), count, limits);
  flagsFromListedRows(view, flags.data(), listed);
  return flags;
}

// A front on a small integer grid: rows whose values sum to the same total, so no row
// dominates another but its copies, and every column ties at the pivot's value.
RowMatrix gridFrontRows(std::mt19937_64& rng, std::size_t rows, std::size_t cols) {
  RowMatrix m{rows, cols, std::vector<double>(rows * cols)};
  for (std::size_t r = 0; r < rows; ++r) {
    double sum = 0.0;
    for (std::size_t c = 0; c + 1 < cols; ++c) {
      const auto v = static_cast<double>(rng() % 4);
      m.values[r + c * rows] = v;
      sum += v;
    }
    m.values[r + (cols - 1) * rows] = 3.0 * static_cast<double>(cols) - sum;
  }
  return m;
}

TEST_P(DivideEveryTier, RegionsMatchTheScan) {
  std::mt19937_64 rng(4343);
  for (int trial = 0; trial < 2000; ++trial) {
    const auto rows = static_cast<std::size_t>(trial % 61);
    const auto cols = static_cast<std::size_t>(2 + trial / 61 % 11);
    const RowMatrix m =
        trial % 4 == 3 ? ulpApartRows(rng, rows, cols) : shapedRows(rng, trial, rows, cols);
    const std::vector<double> expected = referenceWithinSet(m);
    for (const DivideLimits& limits : {kLimits[0], kLimits[3]}) {
      ASSERT_EQ(byRegions(m, GetParam(), limits), expected) << "trial " << trial;
    }
  }
  for (const std::size_t cols : {5u, 8u, 12u}) {
    for (const RowMatrix& m : {frontRows(rng, 900, cols), randomRows(rng, 900, cols, 3),
                               RowMatrix{300, cols, std::vector<double>(300 * cols, 2.0)}}) {
      ASSERT_EQ(byRegions(m, GetParam(), defaultDivideLimits()), referenceWithinSet(m))
          << cols << " columns";
    }
  }
  // Regions compared on the columns their sets leave open, down to none: with every split,
  // the staircase and the last column reached on those columns alone.
  for (const std::size_t cols : {5u, 6u, 7u, 8u}) {
    const RowMatrix m = gridFrontRows(rng, 400, cols);
    const std::vector<double> expected = referenceWithinSet(m);
    for (const DivideLimits& limits : {kLimits[0], kLimits[2], kLimits[4]}) {
      ASSERT_EQ(byRegions(m, GetParam(), limits), expected) << cols << " columns";
    }
  }
}

INSTANTIATE_EVERY_TIER(DivideEveryTier);

}  // namespace
