// The divide and conquer nests calls, so its stack use is checked on the largest inputs: the
// pass runs on a thread whose stack is a painted buffer, and the bytes it overwrote are
// counted. Not built under the sanitizers, whose frames are larger.

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

#include "common/tier.h"
#include "dominance/fronts/front_divide.h"
#include "dominance/passes/across_sets.h"
#include "dominance/passes/within_set.h"
#include "dominance/sorts/sorted_rows.h"
#include "tests/dominance/reference_marking.h"
#include "tests/support/painted_stack.h"

namespace {

constexpr std::size_t kStackBytes = std::size_t{1} << 20;
// Bytes of stack `work` overwrote on a fresh thread, including what starting the thread takes.
template <class Work>
std::size_t stackBytesUsed(Work work) {
  return ::stackBytesUsed(work, kStackBytes);
}

// Points on a sphere, none dominating another: nothing prunes the recursion.
RowMatrix sphereRows(std::size_t rows, std::size_t cols, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::normal_distribution<double> gauss;
  RowMatrix m;
  m.rows = rows;
  m.cols = cols;
  m.values.resize(rows * cols);
  std::vector<double> g(cols);
  for (std::size_t r = 0; r < rows; ++r) {
    double norm = 0.0;
    for (double& x : g) {
      x = std::fabs(gauss(rng));
      norm += x * x;
    }
    for (std::size_t c = 0; c < cols; ++c) m.values[r + c * rows] = g[c] / std::sqrt(norm);
  }
  return m;
}

std::size_t dividedStackBytes(const RowMatrix& m, DivideLimits limits) {
  std::vector<double> flags(m.rows, 1.0);
  const MatrixView view = viewOf(m);
  return stackBytesUsed([&] {
    const std::int32_t count =
        sortListedRows(view, flags.data(), listStandingRows(flags.data(), view.rows));
    divideFront(detectTier(), view, flags.data(), count, limits);
  });
}

// Whatever the number of columns, the divide and conquer nests at most log2(rows) + 1
// halving calls (under 64 bytes each) and log2(rows) cover calls (under 240 bytes each), and
// at its deepest runs a leaf kernel (under 1.5 KiB), a comparison sort on ties (2 log2(rows)
// frames under 64 bytes) or the radix sort (a 1 KiB table, and 1.1 KiB per eight bits of key
// beyond the row index). That is under 13 KiB for a million rows and under 19 KiB for the
// largest matrix the pass accepts; the sort before it needs less.
constexpr std::size_t kStackBound = 16 * 1024;

TEST(StackUse, StaysBoundedOnTheLargestInputs) {
  const std::size_t idle = stackBytesUsed([] {});
  // Defaults on a million rows, and limits that split every run down to single rows, on many
  // rows and on many columns.
  const std::size_t large = dividedStackBytes(sphereRows(1000000, 4, 1), defaultDivideLimits());
  const std::size_t deep = dividedStackBytes(sphereRows(100000, 6, 2), DivideLimits{1, 0});
  const std::size_t wide = dividedStackBytes(sphereRows(3000, 40, 3), DivideLimits{1, 0});
  EXPECT_LT(large - idle, kStackBound) << "idle " << idle << " large " << large;
  EXPECT_LT(deep - idle, kStackBound) << "idle " << idle << " deep " << deep;
  EXPECT_LT(wide - idle, kStackBound) << "idle " << idle << " wide " << wide;
  std::printf("stack used: idle %zu, large %zu, deep %zu, wide %zu bytes\n", idle, large, deep,
              wide);
}

// The whole within-set pass: the strong rows on a million uniform rows, and the regions on a
// long front of eight columns, each with the sort and the divide and conquer inside.
TEST(StackUse, WithinSetPassStaysBounded) {
  const std::size_t idle = stackBytesUsed([] {});
  std::mt19937_64 rng(4);
  RowMatrix uniform{1000000, 4, std::vector<double>(4000000)};
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  for (double& v : uniform.values) v = unit(rng);
  for (const RowMatrix& m : {uniform, sphereRows(60000, 8, 5)}) {
    std::vector<double> flags(m.rows, 1.0);
    const MatrixView view = viewOf(m);
    const std::size_t used =
        stackBytesUsed([&] { markWithinSetFor(detectTier(), view, flags.data()); });
    EXPECT_LT(used - idle, kStackBound) << m.rows << " x " << m.cols;
    std::printf("within-set pass on %zu x %zu: stack %zu bytes above idle\n", m.rows, m.cols,
                used - idle);
  }
}

// Two fronts through the sorted cross-set pass, with the scan handing over at once.
std::size_t acrossStackBytes(const RowMatrix& a, const RowMatrix& b, AcrossAllowance allowance) {
  std::vector<double> fa(a.rows, 1.0);
  std::vector<double> fb(b.rows, 1.0);
  const MatrixView first = viewOf(a);
  const MatrixView second = viewOf(b);
  return stackBytesUsed([&] {
    markAcrossSetsWithAllowance(detectTier(), first, fa.data(), second, fb.data(), allowance);
  });
}

AcrossAllowance handedOver(std::int64_t leafPairs) {
  AcrossAllowance allowance{-1, 0, leafPairs};
  return allowance;
}

// The sorted pass divided as deep as it goes: the halving and its covers down to single
// pairs, and every dominated first-set row left to the queries of s.
AcrossAllowance dividedToPairs() {
  AcrossAllowance allowance{-1, 0, 0};
  allowance.dominatedBase = -1;
  allowance.dominatedPerRow = 0;
  allowance.runPairs = 0;
  allowance.coverPairs = 0;
  return allowance;
}

// The cross-set pass nests the halving of the merged order (log2 of both sets' rows, under
// 112 bytes a call) and, inside, the split by columns (log2 of one set's rows plus one, under
// 160 bytes a call), and before them runs the sort; the dominated first-set rows left to the
// queries of s nest the same way. On the largest inputs that is well inside the same bound.
TEST(StackUse, CrossSetPassStaysBounded) {
  const std::size_t idle = stackBytesUsed([] {});
  const std::size_t large = acrossStackBytes(sphereRows(300000, 4, 4), sphereRows(300000, 4, 5),
                                             handedOver(defaultAcrossAllowance().leafPairs));
  const std::size_t deep =
      acrossStackBytes(sphereRows(100000, 5, 6), sphereRows(100000, 5, 7), dividedToPairs());
  const std::size_t swept =
      acrossStackBytes(sphereRows(300000, 2, 8), sphereRows(300000, 2, 9), handedOver(0));
  // Three and five columns, the second set a little ahead: the first set's dominated rows,
  // and the rows of the second that only they are <=, go to the queries of s.
  RowMatrix ahead = sphereRows(300000, 3, 11);
  for (double& v : ahead.values) v -= 0.002;
  const std::size_t opened = acrossStackBytes(sphereRows(300000, 3, 10), ahead, dividedToPairs());
  RowMatrix wideAhead = sphereRows(100000, 5, 13);
  for (double& v : wideAhead.values) v -= 0.002;
  const std::size_t wideOpened =
      acrossStackBytes(sphereRows(100000, 5, 12), wideAhead, dividedToPairs());
  // Uniform rows, of which few stand in the first set: the second set streams past them.
  std::mt19937_64 rng(14);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  RowMatrix uniform{300000, 6, std::vector<double>(1800000)};
  for (double& v : uniform.values) v = unit(rng);
  std::vector<double> within(uniform.rows, 1.0);
  markWithinSetFor(detectTier(), viewOf(uniform), within.data());
  std::vector<double> fb(uniform.rows, 1.0);
  const std::size_t streamed = stackBytesUsed([&] {
    markAcrossSetsFor(detectTier(), viewOf(uniform), within.data(), viewOf(uniform), fb.data());
  });
  EXPECT_LT(large - idle, kStackBound) << "idle " << idle << " large " << large;
  EXPECT_LT(deep - idle, kStackBound) << "idle " << idle << " deep " << deep;
  EXPECT_LT(swept - idle, kStackBound) << "idle " << idle << " swept " << swept;
  EXPECT_LT(streamed - idle, kStackBound) << "idle " << idle << " streamed " << streamed;
  EXPECT_LT(opened - idle, kStackBound) << "idle " << idle << " opened " << opened;
  EXPECT_LT(wideOpened - idle, kStackBound) << "idle " << idle << " wide opened " << wideOpened;
  std::printf(
      "cross-set stack used: idle %zu, large %zu, deep %zu, swept %zu, opened %zu, wide opened "
      "%zu, streamed %zu bytes\n",
      idle, large, deep, swept, opened, wideOpened, streamed);
}

}  // namespace
