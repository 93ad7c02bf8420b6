#include "distance/row_distance_variants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "common/tier.h"
#include "distance/row_distance.h"
#include "tests/distance/literal_table.h"

namespace {

using Fill = void (*)(const double*, std::int32_t, std::int32_t, double*);

struct Variant {
  const char* name;
  Fill fill;
  Tier needs;
};

void PrintTo(const Variant& v, std::ostream* os) {
  *os << v.name;
}

const Variant kVariants[] = {
    {"Plain", fillRowDistancesPlain, Tier::baseline},
#if TIER_HAS_X86
    {"Baseline", fillRowDistancesBaseline, Tier::baseline},
    {"Avx2", fillRowDistancesAvx2, Tier::avx2},
    {"Avx512", fillRowDistancesAvx512, Tier::avx512},
#endif
    {"Dispatched", fillRowDistances, Tier::baseline},
};

// Mostly ordinary values of magnitudes far apart, so that any change in the order of the
// sum shows in the last bits; some NaN and infinities.
Values randomMatrix(std::mt19937_64& rng, std::int32_t rows, std::int32_t cols) {
  std::uniform_int_distribution<int> kind(0, 99);
  std::normal_distribution<double> normal(0.0, 1.0);
  std::uniform_int_distribution<int> exponent(-40, 40);
  Values x(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
  for (double& v : x) {
    const int k = kind(rng);
    if (k < 2) {
      v = std::numeric_limits<double>::quiet_NaN();
    } else if (k == 2) {
      v = std::numeric_limits<double>::infinity();
    } else if (k == 3) {
      v = -std::numeric_limits<double>::infinity();
    } else {
      v = std::ldexp(normal(rng), exponent(rng));
    }
  }
  return x;
}

// Space around the table, filled like its cells, to catch a store outside the table.
constexpr std::size_t kGuard = 9;
const double kGarbage = -1234.5;

class RowDistanceVariant : public ::testing::TestWithParam<Variant> {
 protected:
  void SetUp() override {
    if (!tierRunsHere(GetParam().needs)) GTEST_SKIP() << "processor lacks this build";
  }

  // Checks the build on one matrix against the plain loop: every cell written, the same
  // bits, nothing outside the table touched.
  void expectLiteralTable(const Values& x, std::int32_t rows, std::int32_t cols) {
    const std::size_t cells = static_cast<std::size_t>(rows) * static_cast<std::size_t>(rows);
    Values buffer(cells + 2 * kGuard, kGarbage);
    double* table = buffer.data() + kGuard;
    GetParam().fill(x.empty() ? nullptr : x.data(), cols, rows, table);
    const Values expected = literalTable(x, rows, cols);
    EXPECT_TRUE(sameBits(table, expected.data(), cells)) << rows << " x " << cols;
    const Values guard(kGuard, kGarbage);
    EXPECT_TRUE(sameBits(buffer.data(), guard.data(), kGuard)) << rows << " x " << cols;
    EXPECT_TRUE(sameBits(table + cells, guard.data(), kGuard)) << rows << " x " << cols;
  }
};

// Row counts around the block widths (2, 4, 8) and the tile sides (256 rows for narrow
// matrices, 48 for 300 columns); column counts from none to a few hundred.
TEST_P(RowDistanceVariant, MatchesPlainLoopOnEveryEdgeOfTheBlocking) {
  std::mt19937_64 rng(5);
  for (std::int32_t cols : {0, 1, 2, 3, 5, 8, 17}) {
    for (std::int32_t rows = 0; rows <= 26; ++rows) {
      expectLiteralTable(randomMatrix(rng, rows, cols), rows, cols);
    }
  }
  for (std::int32_t rows : {31, 33, 63, 65, 255, 256, 257, 263}) {
    expectLiteralTable(randomMatrix(rng, rows, 3), rows, 3);
  }
  for (std::int32_t rows : {47, 48, 49, 97, 101}) {
    expectLiteralTable(randomMatrix(rng, rows, 300), rows, 300);
  }
}

// A NaN in one row makes its every distance NaN, and inf - inf does as well, in whichever
// block the pair falls.
TEST_P(RowDistanceVariant, NaNAndInfinityReachEveryBlock) {
  const std::int32_t rows = 21;
  const std::int32_t cols = 4;
  Values x(static_cast<std::size_t>(rows * cols), 1.0);
  for (std::int32_t r = 0; r < rows; ++r) x[static_cast<std::size_t>(r)] = r;
  x[5 + 2 * rows] = std::numeric_limits<double>::quiet_NaN();
  x[13 + 3 * rows] = x[20 + 3 * rows] = std::numeric_limits<double>::infinity();
  expectLiteralTable(x, rows, cols);
}

// Equal rows are at distance +0.0 exactly, as are all rows when there are no columns; an
// input with no columns may come without data.
TEST_P(RowDistanceVariant, ZeroDistancesAreExact) {
  const Values same(17 * 3, 2.5);
  expectLiteralTable(same, 17, 3);
  expectLiteralTable(Values{}, 13, 0);
}

TEST_P(RowDistanceVariant, EmptyMatrixWritesNothing) {
  double untouched = kGarbage;
  GetParam().fill(nullptr, 5, 0, &untouched);
  EXPECT_TRUE(sameBits(&untouched, &kGarbage, 1));
}

INSTANTIATE_TEST_SUITE_P(Builds, RowDistanceVariant, ::testing::ValuesIn(kVariants),
                         [](const ::testing::TestParamInfo<Variant>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
