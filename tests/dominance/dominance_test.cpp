#include "dominance/dominance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using Values = std::vector<double>;
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// Flags of markWithinSet for rows given row by row.
Values withinSet(std::int32_t cols, const std::vector<Values>& rowValues) {
  const auto rows = static_cast<std::int32_t>(rowValues.size());
  Values data(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
  for (std::int32_t r = 0; r < rows; ++r) {
    for (std::int32_t c = 0; c < cols; ++c) {
      data[static_cast<std::size_t>(r + c * rows)] =
          rowValues[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
    }
  }
  Values flags(static_cast<std::size_t>(rows), 1.0);
  markWithinSet(MatrixView{rows, cols, data.data()}, flags.data());
  return flags;
}

struct Across {
  Values a, b;
};

// markAcrossSets after markWithinSet, on two column-major matrices.
Across acrossSets(std::int32_t cols, std::int32_t rowsA, const Values& a, std::int32_t rowsB,
                  const Values& b) {
  Across flags{Values(static_cast<std::size_t>(rowsA), 1.0),
               Values(static_cast<std::size_t>(rowsB), 1.0)};
  const MatrixView viewA{rowsA, cols, a.data()};
  markWithinSet(viewA, flags.a.data());
  markAcrossSets(viewA, flags.a.data(), MatrixView{rowsB, cols, b.data()}, flags.b.data());
  return flags;
}

TEST(CompareRows, VisitsEveryColumnWithOrderedComparisons) {
  const Values data = {1, 1, kNaN, 2, -0.0, 0.0};  // rows (1, 2, ...) column-major 2x3
  const MatrixView m{2, 3, data.data()};
  const PairVerdict v = compareRows(m, 0, m, 1, 3);
  EXPECT_FALSE(v.firstGreaterOrEqual);  // NaN fails every comparison
  EXPECT_FALSE(v.allEqual);
  EXPECT_FALSE(v.secondGreaterOrEqual);
  const PairVerdict none = compareRows(m, 0, m, 1, 0);
  EXPECT_TRUE(none.firstGreaterOrEqual && none.allEqual && none.secondGreaterOrEqual);
}

TEST(MarkWithinSet, DominatedAndRepeatedRowsLoseTheirFlag) {
  EXPECT_EQ(withinSet(2, {{1, 2}, {2, 1}, {2, 2}, {1, 2}}), (Values{1, 1, 0, 0}));
  EXPECT_EQ(withinSet(2, {{3, 3}, {1, 1}, {2, 2}}), (Values{0, 1, 0}));
}

TEST(MarkWithinSet, DegenerateShapes) {
  EXPECT_EQ(withinSet(2, {{4, 4}}), (Values{1}));
  EXPECT_EQ(withinSet(2, {}), Values{});
  // With no columns every row equals every other: only the first stands.
  Values flags(4, 1.0);
  markWithinSet(MatrixView{4, 0, nullptr}, flags.data());
  EXPECT_EQ(flags, (Values{1, 0, 0, 0}));
}

TEST(MarkWithinSet, NaNZeroAndInfinitySemantics) {
  EXPECT_EQ(withinSet(2, {{1, kNaN}, {0, 0}, {3, 3}}), (Values{1, 1, 0}));
  EXPECT_EQ(withinSet(2, {{kNaN, 0}, {5, 5}}), (Values{1, 1}));  // NaN row eliminates nothing
  EXPECT_EQ(withinSet(1, {{0.0}, {-0.0}}), (Values{1, 0}));
  EXPECT_EQ(withinSet(2, {{kInf, 0}, {1, 0}, {kInf, -kInf}}), (Values{0, 1, 1}));
}

TEST(MarkAcrossSets, RowsOfBAreJudgedAgainstA) {
  const Across f = acrossSets(2, 2, {1, 3, 3, 1}, 4, {2, 1, 0, 2, 2, 3, 5, 3});
  EXPECT_EQ(f.a, (Values{1, 1}));
  EXPECT_EQ(f.b, (Values{1, 0, 1, 0}));
}

// (1, 1) eliminates (2, 2), which then leaves the scan, so (3, 3) stands.
TEST(MarkAcrossSets, FollowsTheScanOrderLiterally) {
  const Across f = acrossSets(2, 1, {2, 2}, 2, {1, 3, 1, 3});
  EXPECT_EQ(f.a, (Values{0}));
  EXPECT_EQ(f.b, (Values{1, 1}));
}

TEST(MarkAcrossSets, DegenerateShapes) {
  Values fa = {1, 0}, fb = {1, 1, 1};
  markAcrossSets(MatrixView{2, 0, nullptr}, fa.data(), MatrixView{3, 0, nullptr}, fb.data());
  EXPECT_EQ(fa, (Values{1, 0}));
  EXPECT_EQ(fb, (Values{0, 0, 0}));

  const Across emptyB = acrossSets(2, 2, {1, 3, 3, 1}, 0, {});
  EXPECT_EQ(emptyB.a, (Values{1, 1}));
  EXPECT_TRUE(emptyB.b.empty());
}

}  // namespace
