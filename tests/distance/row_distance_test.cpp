#include "distance/row_distance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "tests/distance/literal_table.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

Values kernelTable(const Values& x, std::int32_t rows, std::int32_t cols, double prefill) {
  Values d(static_cast<std::size_t>(rows) * static_cast<std::size_t>(rows), prefill);
  fillRowDistances(x.data(), cols, rows, d.data());
  return d;
}

TEST(FillRowDistances, DocumentedTable) {
  EXPECT_EQ(kernelTable({0, 3, 6, 0, 4, 8}, 3, 2, 0.0), (Values{0, 5, 10, 5, 0, 5, 10, 5, 0}));
}

// Every cell is written, whatever the table held before.
TEST(FillRowDistances, WritesEveryCellOfTheTable) {
  EXPECT_EQ(kernelTable({7}, 1, 1, kNaN), (Values{0}));
  EXPECT_EQ(kernelTable({1, 2, 3}, 3, 0, -1.0), Values(9, 0.0));
  Values untouched = {42.0};
  fillRowDistances(nullptr, 3, 0, untouched.data());
  EXPECT_EQ(untouched, (Values{42.0}));
}

TEST(FillRowDistances, NaNAndInfinityFollowIeeeArithmetic) {
  // Rows: (0, NaN), (1, 1), (+Inf, 1), (+Inf, 2).
  const Values d = kernelTable({0, 1, kInf, kInf, kNaN, 1, 1, 2}, 4, 2, 0.0);
  for (int j = 1; j < 4; ++j) {
    EXPECT_TRUE(std::isnan(d[static_cast<std::size_t>(0 + j * 4)]));
    EXPECT_TRUE(std::isnan(d[static_cast<std::size_t>(j + 0 * 4)]));
  }
  EXPECT_EQ(d[0], 0.0);                   // a NaN row keeps its zero diagonal
  EXPECT_EQ(d[1 + 2 * 4], kInf);          // infinity against a finite value
  EXPECT_TRUE(std::isnan(d[2 + 3 * 4]));  // inf - inf
}

// Bit-exact against the plain loop on random shapes, symmetric bit for bit.
TEST(FillRowDistances, BitExactAgainstPlainLoop) {
  std::mt19937_64 rng(11);
  std::normal_distribution<double> normal(0.0, 1e3);
  std::uniform_int_distribution<int> special(0, 199);
  for (std::int32_t rows = 0; rows < 40; ++rows) {
    for (std::int32_t cols : {0, 1, 2, 3, 5, 8, 17}) {
      Values x(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
      for (double& v : x) {
        const int s = special(rng);
        v = s == 0 ? kNaN : s == 1 ? kInf : s == 2 ? -kInf : normal(rng);
      }
      const Values d = kernelTable(x, rows, cols, 0.5);
      ASSERT_TRUE(sameBits(d, literalTable(x, rows, cols))) << rows << "x" << cols;
      const std::size_t m = static_cast<std::size_t>(rows);
      for (std::size_t i = 0; i < m; ++i) {
        for (std::size_t j = 0; j < m; ++j) {
          ASSERT_EQ(std::memcmp(&d[i + j * m], &d[j + i * m], sizeof(double)), 0);
        }
      }
    }
  }
}

}  // namespace
