#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "dominance/dominance.h"
#include "tests/dominance/paired_sets.h"
#include "tests/dominance/random_rows.h"
#include "tests/dominance/reference_marking.h"

namespace {

std::vector<double> shippedWithinSet(const RowMatrix& m) {
  std::vector<double> flags(m.rows, 1.0);
  markWithinSet(viewOf(m), flags.data());
  return flags;
}

bool anyRowDominatesAnother(const RowMatrix& m) {
  for (std::size_t i = 0; i < m.rows; ++i) {
    for (std::size_t j = 0; j < m.rows; ++j) {
      if (i != j && dominates(m, j, m, i)) return true;
    }
  }
  return false;
}

// The within-set pass agrees with the literal scan and with the closed form.
TEST(DominanceDifferential, WithinSetMatchesScanAndClosedForm) {
  std::mt19937_64 rng(20261208);
  for (int trial = 0; trial < 4000; ++trial) {
    const std::size_t rows = static_cast<std::size_t>(trial % 41);
    const std::size_t cols = static_cast<std::size_t>(trial / 41 % 6);
    const RowMatrix m = randomRows(rng, rows, cols, 2 + trial % 4);
    const std::vector<double> flags = shippedWithinSet(m);
    ASSERT_EQ(flags, referenceWithinSet(m)) << "trial " << trial;
    ASSERT_EQ(flags, closedFormWithinSet(m)) << "trial " << trial;
  }
}

// The cross-set pass follows the literal scan, and, when B holds no dominated row, its
// closed form: A's row stands if nothing in B dominates it, B's if no row of A is <= it.
TEST(DominanceDifferential, AcrossSetsMatchesScan) {
  std::mt19937_64 rng(97);
  int closedFormChecks = 0;
  for (int trial = 0; trial < 4000; ++trial) {
    const std::size_t cols = static_cast<std::size_t>(trial % 5);
    const RowMatrix a = randomRows(rng, static_cast<std::size_t>(trial % 17), cols, 3);
    const RowMatrix b = randomRows(rng, static_cast<std::size_t>(trial / 17 % 19), cols, 3);

    std::vector<double> fa = shippedWithinSet(a);
    std::vector<double> fb(b.rows, 1.0);
    markAcrossSets(viewOf(a), fa.data(), viewOf(b), fb.data());

    std::vector<double> expectA = referenceWithinSet(a);
    std::vector<double> expectB(b.rows, 1.0);
    referenceAcrossSets(a, expectA, b, expectB);
    ASSERT_EQ(fa, expectA) << "trial " << trial;
    ASSERT_EQ(fb, expectB) << "trial " << trial;

    if (anyRowDominatesAnother(b)) continue;
    ++closedFormChecks;
    const std::vector<double> withinA = referenceWithinSet(a);
    for (std::size_t i = 0; i < a.rows; ++i) {
      bool beaten = false;
      for (std::size_t j = 0; j < b.rows; ++j) beaten = beaten || dominates(b, j, a, i);
      ASSERT_EQ(fa[i], withinA[i] == 1.0 && !beaten ? 1.0 : 0.0) << "trial " << trial;
    }
    for (std::size_t j = 0; j < b.rows; ++j) {
      bool covered = false;
      for (std::size_t i = 0; i < a.rows; ++i) covered = covered || allGreaterOrEqual(b, j, a, i);
      ASSERT_EQ(fb[j], covered ? 0.0 : 1.0) << "trial " << trial;
    }
  }
  EXPECT_GT(closedFormChecks, 500);
}

// The closed form the sorted cross-set pass builds on, checked against the literal scan alone:
// second sets built from the first (repeats, rows moved a unit ahead or behind) and fresh
// stress rows, so that rows of B often dominate rows of B.
TEST(DominanceDifferential, AcrossSetsClosedFormMatchesScan) {
  std::mt19937_64 rng(4409);
  for (int trial = 0; trial < 20000; ++trial) {
    const std::size_t cols = static_cast<std::size_t>(trial % 6);
    const RowMatrix a = randomRows(rng, static_cast<std::size_t>(trial % 13), cols, 2 + trial % 4);
    const RowMatrix b = pairedSet(rng, a, static_cast<std::size_t>(trial / 13 % 15), 2 + trial % 4);
    std::vector<double> scanA = referenceWithinSet(a);
    std::vector<double> scanB(b.rows, 1.0);
    std::vector<double> formA = scanA;
    std::vector<double> formB = scanB;
    referenceAcrossSets(a, scanA, b, scanB);
    closedFormAcrossSets(a, formA, b, formB);
    ASSERT_EQ(formA, scanA) << "trial " << trial;
    ASSERT_EQ(formB, scanB) << "trial " << trial;
  }
}

}  // namespace
