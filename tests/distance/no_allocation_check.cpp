// The distance table is computed without allocating: this program counts allocations
// (counting_allocator.h) while every tier fills tables of every kind of block. Built apart
// from the other tests, and never under the sanitizers.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/tier.h"
#include "distance/row_distance.h"
#include "distance/row_distance_tiers.h"
#include "tests/support/counting_allocator.h"

namespace {

TEST(RowDistanceNoAllocation, CountingSeesAllocations) {
  EXPECT_GT(allocationsDuring([] { delete new std::vector<double>(1000); }), 0);
}

// Narrow and wide rows, partial tiles and edge blocks, and several chunks of columns.
TEST(RowDistanceNoAllocation, EveryFillOfEveryTier) {
  std::vector<RowDistanceFill> fills = {fillRowDistancesPlain, fillRowDistances};
  for (Tier tier : kTiers) {
    if (tierRunsHere(tier)) fills.push_back(rowDistanceFillFor(tier));
  }
  for (const std::int32_t rows : {1, 7, 203}) {
    std::vector<double> table(static_cast<std::size_t>(rows) * rows);
    for (const std::int32_t cols : {0, 1, 3, 32, 129, 300}) {
      std::vector<double> x(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
      for (std::size_t i = 0; i < x.size(); ++i) x[i] = static_cast<double>(i % 97) * 0.25;
      for (RowDistanceFill fill : fills) {
        EXPECT_EQ(allocationsDuring([&] { fill(x.data(), cols, rows, table.data()); }), 0)
            << rows << " x " << cols;
      }
    }
  }
}

}  // namespace
