// Every fast path and every instruction-set tier against the literal procedures.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "dominance/passes/across_sets.h"
#include "dominance/passes/settle.h"
#include "dominance/passes/within_set.h"
#include "tests/dominance/every_tier.h"
#include "tests/dominance/paired_sets.h"
#include "tests/dominance/reference_marking.h"
#include "tests/dominance/shaped_rows.h"

namespace {

class MarkingPaths : public EveryTier {};

constexpr std::int64_t kScanOnly = std::numeric_limits<std::int64_t>::max();

std::vector<double> withinSet(Tier tier, const RowMatrix& m, std::int64_t budget) {
  std::vector<double> flags(m.rows, 1.0);
  markWithinSetWithLimits(tier, viewOf(m), flags.data(),
                          WithinSetLimits{std::numeric_limits<std::int32_t>::max(), {budget, 0}});
  return flags;
}

std::vector<double> withinSetByDefault(Tier tier, const RowMatrix& m) {
  std::vector<double> flags(m.rows, 1.0);
  markWithinSetFor(tier, viewOf(m), flags.data());
  return flags;
}

// The closed form among the rows flagged 1.0: a row stands when it holds NaN, or when no
// standing row dominates it and no lower-indexed standing row equals it.
std::vector<double> closedFormAmong(const RowMatrix& m, std::vector<double> flags) {
  const std::vector<double> standing = flags;
  for (std::size_t r = 0; r < m.rows; ++r) {
    for (std::size_t s = 0; s < m.rows && standing[r] == 1.0; ++s) {
      if (standing[s] == 0.0) continue;
      if (dominates(m, s, m, r) || (s < r && allEqualRows(m, s, m, r))) flags[r] = 0.0;
    }
  }
  return flags;
}

// Row counts on both sides of every vector width, widths 0 to 9, and the scan handing over
// to the sorted passes before the first row, after a few rows, or never.
TEST_P(MarkingPaths, WithinSetMatchesTheScanWhereverTheSortedPassTakesOver) {
  std::mt19937_64 rng(5501);
  const std::int64_t budgets[] = {0, 3, 9, 40, 200, kScanOnly};
  for (int trial = 0; trial < 3000; ++trial) {
    const auto rows = static_cast<std::size_t>(trial % 37);
    const auto cols = static_cast<std::size_t>(trial / 37 % 10);
    const RowMatrix m = shapedRows(rng, trial, rows, cols);
    const std::vector<double> expected = referenceWithinSet(m);
    for (const std::int64_t budget : budgets) {
      ASSERT_EQ(withinSet(GetParam(), m, budget), expected)
          << "trial " << trial << " budget " << budget;
    }
  }
}

// The strong-row filter before the sorted passes, on the same shapes: ties and repeats of
// the strong rows, NaN rows among the rows the strong rows are drawn from, -0.0, infinities.
TEST_P(MarkingPaths, WithinSetMatchesTheScanThroughTheStrongRows) {
  std::mt19937_64 rng(5503);
  for (int trial = 0; trial < 3000; ++trial) {
    const auto rows = static_cast<std::size_t>(trial % 83);
    const auto cols = static_cast<std::size_t>(2 + trial / 83 % 10);
    const RowMatrix m = shapedRows(rng, trial, rows, cols);
    std::vector<double> flags(m.rows, 1.0);
    markWithinSetWithLimits(GetParam(), viewOf(m), flags.data(), WithinSetLimits{0, {0, 0}});
    ASSERT_EQ(flags, referenceWithinSet(m)) << "trial " << trial;
  }
}

std::vector<double> acrossSets(Tier tier, const RowMatrix& a, const RowMatrix& b,
                               std::vector<double>& fa, AcrossAllowance allowance) {
  std::vector<double> fb(b.rows, 1.0);
  markAcrossSetsWithAllowance(tier, viewOf(a), fa.data(), viewOf(b), fb.data(), allowance);
  return fb;
}

// The second set drawn apart from the first or built from it (repeats across the sets, rows
// a unit ahead or behind, the same rows again), widths 0 to 9; the second set streamed past
// the few standing first-set rows, or the scan handing over to the sorted pass before the
// first row, after a few, or never; the sorted pass dividing down to single pairs or comparing
// small groups whole.
// Sets whose best rows repeat, so that the strong rows have copies before and after them
// (only the first copy may stand), with the rows the strong rows are drawn from replaced by
// NaN rows, -0.0 against +0.0, or infinities of both signs, which give NaN scores.
TEST_P(MarkingPaths, StrongRowsLeaveOnlyTheFirstCopyOfThemselves) {
  std::mt19937_64 rng(5507);
  for (int trial = 0; trial < 400; ++trial) {
    const std::size_t rows = 64 + static_cast<std::size_t>(trial % 7) * 97;
    const std::size_t cols = 2 + static_cast<std::size_t>(trial % 5);
    RowMatrix m = randomRows(rng, rows, cols, 3 + trial % 4);
    // The best rows seen so far, each copied to a later and an earlier place.
    for (std::size_t copy = 0; copy < 6; ++copy) {
      const std::size_t from = rng() % rows;
      const std::size_t to = rng() % rows;
      for (std::size_t c = 0; c < cols; ++c) {
        m.values[from + c * rows] = c == copy % cols ? -1.0 : 0.0;
        m.values[to + c * rows] = c == copy % cols ? -1.0 : -0.0;
      }
    }
    // Rows evenly spread over the set, where the strong rows are first looked for.
    for (std::size_t s = 0; s < 64; s += 1 + trial % 5) {
      const std::size_t row = (rows - 1) * s / 63;
      const double odd[] = {std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(), -0.0};
      m.values[row + (s % cols) * rows] = odd[(s + static_cast<std::size_t>(trial)) % 4];
    }
    std::vector<double> flags(m.rows, 1.0);
    markWithinSetWithLimits(GetParam(), viewOf(m), flags.data(), WithinSetLimits{0, {0, 0}});
    ASSERT_EQ(flags, referenceWithinSet(m)) << "trial " << trial;
  }
}

TEST_P(MarkingPaths, AcrossSetsMatchesTheScanWhereverTheSortedPassTakesOver) {
  std::mt19937_64 rng(7703);
  const std::int64_t budgets[] = {-1, 0, 3, 40, kScanOnly};
  const std::int64_t leaves[] = {0, 3, 60};
  for (int trial = 0; trial < 3000; ++trial) {
    const auto cols = static_cast<std::size_t>(trial % 10);
    const RowMatrix a = shapedRows(rng, trial, static_cast<std::size_t>(trial / 10 % 23), cols);
    const auto rows = static_cast<std::size_t>(trial / 7 % 29);
    const RowMatrix b = trial % 11 == 0  ? a
                        : trial % 2 == 0 ? pairedSet(rng, a, rows, 3 + trial % 4)
                                         : shapedRows(rng, trial / 3, rows, cols);
    const std::vector<double> within = referenceWithinSet(a);
    std::vector<double> expectA = within;
    std::vector<double> expectB(b.rows, 1.0);
    referenceAcrossSets(a, expectA, b, expectB);
    for (const std::int32_t streamed : {-1, 64}) {
      for (const std::int64_t budget : budgets) {
        for (const std::int64_t leaf : leaves) {
          AcrossAllowance allowance{budget, 0, leaf};
          allowance.streamedRows = streamed;
          allowance.runPairs = leaf;
          allowance.coverPairs = leaf;
          allowance.dominatedBase = budget;
          std::vector<double> fa = within;
          const std::vector<double> fb = acrossSets(GetParam(), a, b, fa, allowance);
          ASSERT_EQ(fa, expectA) << "trial " << trial << " budget " << budget << " leaf " << leaf
                                 << " streamed " << streamed;
          ASSERT_EQ(fb, expectB) << "trial " << trial << " budget " << budget << " leaf " << leaf
                                 << " streamed " << streamed;
        }
      }
    }
  }
}

// Three columns, where the sweep settles most rows and the dominated first-set rows are then
// scanned or settled by the queries of s: first-set rows that some second-set row dominates,
// and second-set rows that only such rows are <=.
// Sets a unit apart, repeats across the sets, few distinct values (ties in the staircase's
// columns), and sets too large to compare pair by pair, so the groups left open divide.
TEST_P(MarkingPaths, AcrossSetsOnThreeColumnsLeaveOnlyOpenRowsToDivide) {
  std::mt19937_64 rng(7717);
  const std::int64_t leaves[] = {0, 8, 512};
  for (int trial = 0; trial < 240; ++trial) {
    const std::size_t rows = 1 + static_cast<std::size_t>(trial * 37 % 260);
    const RowMatrix a =
        trial % 4 == 3 ? randomRows(rng, rows, 3, 2 + trial % 6) : frontRows(rng, rows, 3);
    const std::size_t otherRows = 1 + static_cast<std::size_t>(trial * 53 % 240);
    const RowMatrix b =
        trial % 3 == 2 ? frontRows(rng, otherRows, 3) : pairedSet(rng, a, otherRows, 2 + trial % 5);
    const std::vector<double> within = referenceWithinSet(a);
    std::vector<double> expectA = within;
    std::vector<double> expectB(b.rows, 1.0);
    referenceAcrossSets(a, expectA, b, expectB);
    for (const std::int64_t leaf : leaves) {
      for (const std::int64_t dominatedBase : {std::int64_t{-1}, std::int64_t{1} << 40}) {
        AcrossAllowance allowance{-1, 0, leaf};
        allowance.streamedRows = -1;
        allowance.dominatedBase = dominatedBase;
        std::vector<double> fa = within;
        const std::vector<double> fb = acrossSets(GetParam(), a, b, fa, allowance);
        ASSERT_EQ(fa, expectA) << "trial " << trial << " leaf " << leaf;
        ASSERT_EQ(fb, expectB) << "trial " << trial << " leaf " << leaf;
      }
    }
  }
}

// Four columns whose last two give the sweep of the split a staircase too long to keep, so it
// leaves the rest to the split: rows rising in the third column and falling in the fourth, in
// index order, with each set's rows interleaved in both.
TEST_P(MarkingPaths, AcrossSetsOnALongStaircaseInTheLastColumns) {
  std::mt19937_64 rng(7723);
  for (int trial = 0; trial < 6; ++trial) {
    const std::size_t rows = 700 + static_cast<std::size_t>(trial) * 150;
    RowMatrix a = randomRows(rng, rows / 2, 4, 2);
    RowMatrix b = randomRows(rng, rows, 4, 2);
    for (std::size_t r = 0; r < b.rows; ++r) {
      b.values[r + 2 * b.rows] = static_cast<double>(r);
      b.values[r + 3 * b.rows] = static_cast<double>(3 * rows - r);
    }
    for (std::size_t r = 0; r < a.rows; ++r) {
      a.values[r + 0 * a.rows] = 1.0 + static_cast<double>(trial % 2);
      a.values[r + 2 * a.rows] = static_cast<double>(2 * r + rng() % 3);
      a.values[r + 3 * a.rows] = static_cast<double>(3 * rows - 2 * r + rng() % 3);
    }
    const std::vector<double> within = referenceWithinSet(a);
    std::vector<double> expectA = within;
    std::vector<double> expectB(b.rows, 1.0);
    referenceAcrossSets(a, expectA, b, expectB);
    // The dominated first-set rows all go to the queries of s, which the sweep belongs to.
    AcrossAllowance allowance{-1, 0, defaultAcrossAllowance().leafPairs};
    allowance.streamedRows = -1;
    allowance.dominatedBase = -1;
    allowance.dominatedPerRow = 0;
    std::vector<double> fa = within;
    const std::vector<double> fb = acrossSets(GetParam(), a, b, fa, allowance);
    ASSERT_EQ(fa, expectA) << "trial " << trial;
    ASSERT_EQ(fb, expectB) << "trial " << trial;
  }
}

// One matrix as both sets: each row equals its counterpart, so every row of the second set
// falls to a standing row of the first or to a row that dominates it.
TEST_P(MarkingPaths, AcrossSetsOnOneMatrixTwice) {
  std::mt19937_64 rng(1201);
  for (const std::size_t cols : {1u, 2u, 3u, 5u}) {
    const RowMatrix m = frontRows(rng, 400, cols);
    std::vector<double> fa = referenceWithinSet(m);
    std::vector<double> expectA = fa;
    std::vector<double> expectB(m.rows, 1.0);
    referenceAcrossSets(m, expectA, m, expectB);
    for (const std::int32_t streamed : {-1, 64}) {
      AcrossAllowance allowance{-1, 0, 16};
      allowance.streamedRows = streamed;
      std::vector<double> got = fa;
      std::vector<double> fb(m.rows, 1.0);
      markAcrossSetsWithAllowance(GetParam(), viewOf(m), got.data(), viewOf(m), fb.data(),
                                  allowance);
      ASSERT_EQ(got, expectA) << cols;
      ASSERT_EQ(fb, expectB) << cols;
    }
  }
}

// Long fronts keep the scan going past its default budget, so the sorted passes settle most
// rows; uniform rows are mostly settled by the scan.
TEST_P(MarkingPaths, LargeInputsMatchTheClosedForm) {
  std::mt19937_64 rng(911);
  for (const std::size_t cols : {2u, 3u, 4u, 5u, 8u}) {
    for (const std::size_t rows : {300u, 1500u}) {
      for (const RowMatrix& m : {frontRows(rng, rows, cols), randomRows(rng, rows, cols, 40)}) {
        const std::vector<double> expected = closedFormAmong(m, std::vector<double>(rows, 1.0));
        ASSERT_EQ(withinSetByDefault(GetParam(), m), expected) << rows << " x " << cols;
      }
    }
  }
}

INSTANTIATE_EVERY_TIER(MarkingPaths);

// The sorted passes alone, on standing rows chosen at random among rows without NaN
// (nothing eliminates those).
TEST_P(MarkingPaths, SettlingMatchesTheClosedFormAmongStandingRows) {
  std::mt19937_64 rng(3119);
  for (int trial = 0; trial < 4000; ++trial) {
    const auto rows = static_cast<std::size_t>(trial % 45);
    const auto cols = static_cast<std::size_t>(trial / 45 % 9);
    const RowMatrix m = shapedRows(rng, trial, rows, cols);
    std::vector<double> flags(rows, 1.0);
    for (std::size_t r = 0; r < rows; ++r) {
      bool hasNaN = false;
      for (std::size_t c = 0; c < cols; ++c) hasNaN = hasNaN || m.at(r, c) != m.at(r, c);
      if (!hasNaN && rng() % 4 == 0) flags[r] = 0.0;
    }
    const std::vector<double> expected = closedFormAmong(m, flags);
    settleStandingRows(GetParam(), viewOf(m), flags.data());
    ASSERT_EQ(flags, expected) << "trial " << trial;
  }
}

}  // namespace
