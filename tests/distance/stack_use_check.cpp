// The distance table keeps its panels, partial sums and edge blocks on the stack, so its
// stack use is checked on every tier, on a painted stack. Not built under the sanitizers,
// whose frames are larger.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "common/tier.h"
#include "distance/row_distance.h"
#include "distance/row_distance_tiers.h"
#include "tests/support/painted_stack.h"

namespace {

constexpr std::size_t kStackBytes = std::size_t{1} << 18;

// The stack row_distance.h states: the panels of one chunk of columns (12 KiB), the partial
// sums of a panel's blocks (16 KiB), an edge block and the frames around them.
constexpr std::size_t kStackBound = 32 * 1024;

// Bytes of stack `fill` overwrote on a fresh thread, including what starting the thread
// takes.
std::size_t fillStackBytes(RowDistanceFill fill, const double* data, std::int32_t cols,
                           std::int32_t rows, double* out) {
  return stackBytesUsed([=] { fill(data, cols, rows, out); }, kStackBytes);
}

// Every tier this processor runs, the portable path and the dispatched entry, on tables that
// reach every kind of block: narrow and wide rows, partial tiles and edge blocks (M = 203),
// and several chunks of columns.
TEST(RowDistanceStackUse, StaysWithinTheStatedBound) {
  const std::size_t idle = stackBytesUsed([] {}, kStackBytes);
  std::vector<RowDistanceFill> fills = {fillRowDistancesPlain, fillRowDistances};
  for (Tier tier : kTiers) {
    if (tierRunsHere(tier)) fills.push_back(rowDistanceFillFor(tier));
  }
  const std::int32_t rows = 203;
  std::vector<double> table(static_cast<std::size_t>(rows) * rows);
  std::size_t largest = 0;
  for (std::int32_t cols : {1, 3, 32, 129, 300}) {
    std::vector<double> x(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
    for (std::size_t i = 0; i < x.size(); ++i) x[i] = static_cast<double>(i % 97) * 0.25;
    for (RowDistanceFill fill : fills) {
      const std::size_t used = fillStackBytes(fill, x.data(), cols, rows, table.data());
      EXPECT_LT(used - idle, kStackBound) << rows << " x " << cols;
      if (used - idle > largest) largest = used - idle;
    }
  }
  std::printf("distance table: at most %zu bytes of stack above idle %zu\n", largest, idle);
}

}  // namespace
