// The passes must not allocate: this program counts allocations (counting_allocator.h) while
// it runs every path of every tier. Built apart from the other tests, and never under the
// sanitizers.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "common/tier.h"
#include "dominance/dominance.h"
#include "dominance/fronts/front_divide.h"
#include "dominance/fronts/front_regions.h"
#include "dominance/passes/across_sets.h"
#include "dominance/passes/within_set.h"
#include "dominance/sorts/sorted_rows.h"
#include "tests/dominance/shaped_rows.h"
#include "tests/support/counting_allocator.h"

namespace {

TEST(NoAllocation, CountingSeesAllocations) {
  EXPECT_GT(allocationsDuring([] { delete new std::vector<double>(1000); }), 0);
}

// Fronts send the within-set pass through the sorted passes for every width; uniform rows
// keep it in the scan; small integers make the sort order rows by reading the matrix.
TEST(NoAllocation, EveryPassOfEveryTier) {
  std::mt19937_64 rng(17);
  std::vector<RowMatrix> inputs;
  for (const std::size_t cols : {0u, 1u, 2u, 3u, 4u, 5u, 8u, 9u}) {
    inputs.push_back(frontRows(rng, 3000, cols));
    inputs.push_back(randomRows(rng, 3000, cols, 50));
    inputs.push_back(randomRows(rng, 500, cols, 3));
  }
  const RowMatrix first = randomRows(rng, 3000, 3, 50);
  const RowMatrix second = randomRows(rng, 700, 3, 4);
  for (const Tier tier : kTiers) {
    if (!tierRunsHere(tier)) continue;
    for (const RowMatrix& m : inputs) {
      std::vector<double> flags(m.rows, 1.0);
      EXPECT_EQ(allocationsDuring([&] { markWithinSetFor(tier, viewOf(m), flags.data()); }), 0)
          << m.rows << " x " << m.cols << " tier " << tierName(tier);
      flags.assign(m.rows, 1.0);
      EXPECT_EQ(
          allocationsDuring([&] {
            markWithinSetWithLimits(tier, viewOf(m), flags.data(), WithinSetLimits{0, {0, 0}});
          }),
          0)
          << m.rows << " x " << m.cols << " tier " << tierName(tier);
    }
    for (const RowMatrix& m : inputs) {
      if (m.cols < 2) continue;
      std::vector<double> flags(m.rows, 1.0);
      EXPECT_EQ(allocationsDuring([&] {
                  const std::int32_t count = sortListedRows(
                      viewOf(m), flags.data(), listStandingRows(flags.data(), viewOf(m).rows));
                  divideFront(tier, viewOf(m), flags.data(), count, DivideLimits{2, 3});
                }),
                0)
          << "divided " << m.rows << " x " << m.cols << " tier " << tierName(tier);
      flags.assign(m.rows, 1.0);
      EXPECT_EQ(allocationsDuring([&] {
                  const std::int32_t count = sortListedRows(
                      viewOf(m), flags.data(), listStandingRows(flags.data(), viewOf(m).rows));
                  if (count > 0) settleByRegions(tier, viewOf(m), flags.data(), count, {2, 3});
                }),
                0)
          << "regions " << m.rows << " x " << m.cols << " tier " << tierName(tier);
    }
    std::vector<double> fa(first.rows, 1.0);
    std::vector<double> fb(second.rows, 1.0);
    EXPECT_EQ(allocationsDuring([&] {
                markWithinSet(viewOf(first), fa.data());
                markAcrossSetsFor(tier, viewOf(first), fa.data(), viewOf(second), fb.data());
              }),
              0);
    // A front against itself and against the other shapes of its width sends the cross-set
    // pass to its sorted path (or, with few standing rows, streams the second set past them):
    // by default, and handed over at once, dividing to single pairs.
    for (std::size_t p = 0; p < inputs.size(); p += 3) {
      const RowMatrix& a = inputs[p];
      for (std::size_t q = p; q < p + 3; ++q) {
        const RowMatrix& b = inputs[q];
        // Also with the stream off, and the dominated rows all scanned or all settled by the
        // queries of s, with the halving down to single pairs.
        AcrossAllowance unstreamed = defaultAcrossAllowance();
        unstreamed.streamedRows = -1;
        AcrossAllowance divided{-1, 0, 0};
        divided.streamedRows = -1;
        divided.dominatedBase = -1;
        divided.dominatedPerRow = 0;
        divided.runPairs = 0;
        divided.coverPairs = 0;
        for (const AcrossAllowance& allowance :
             {defaultAcrossAllowance(), AcrossAllowance{-1, 0, 0}, unstreamed, divided}) {
          fa.assign(a.rows, 1.0);
          fb.assign(b.rows, 1.0);
          markWithinSet(viewOf(a), fa.data());
          EXPECT_EQ(allocationsDuring([&] {
                      markAcrossSetsWithAllowance(tier, viewOf(a), fa.data(), viewOf(b), fb.data(),
                                                  allowance);
                    }),
                    0)
              << "across " << a.rows << " x " << a.cols << " tier " << tierName(tier);
        }
      }
    }
  }
}

}  // namespace
