#include "distance/row_distance_tiers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "common/tier.h"
#include "distance/row_distance.h"
#include "tests/distance/literal_table.h"

namespace {

struct Path {
  std::string name;
  RowDistanceFill fill;
  Tier needs;
};

void PrintTo(const Path& p, std::ostream* os) {
  *os << p.name;
}

// Every tier, the portable path (the baseline tier off x86-64, compiled everywhere), and
// the dispatched entry point.
std::vector<Path> allPaths() {
  std::vector<Path> paths;
  for (Tier tier : kTiers) paths.push_back({tierName(tier), rowDistanceFillFor(tier), tier});
  paths.push_back({"plain", fillRowDistancesPlain, Tier::baseline});
  paths.push_back({"dispatched", fillRowDistances, Tier::baseline});
  return paths;
}

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

class RowDistanceTier : public ::testing::TestWithParam<Path> {
 protected:
  void SetUp() override {
    if (!tierRunsHere(GetParam().needs)) GTEST_SKIP() << "processor lacks this tier";
  }

  // Checks the path on one matrix against the plain loop: every cell written, the same
  // bits, nothing outside the table touched. The table starts `shift` cells further into
  // its buffer.
  void expectLiteralTable(const Values& x, std::int32_t rows, std::int32_t cols,
                          std::size_t shift = 0) {
    const std::size_t cells = static_cast<std::size_t>(rows) * static_cast<std::size_t>(rows);
    const std::size_t before = kGuard + shift;
    Values buffer(before + cells + kGuard, kGarbage);
    double* table = buffer.data() + before;
    GetParam().fill(x.empty() ? nullptr : x.data(), cols, rows, table);
    const Values expected = literalTable(x, rows, cols);
    EXPECT_TRUE(sameBits(table, expected.data(), cells)) << rows << " x " << cols;
    const Values guard(before, kGarbage);
    EXPECT_TRUE(sameBits(buffer.data(), guard.data(), before)) << rows << " x " << cols;
    EXPECT_TRUE(sameBits(table + cells, guard.data(), kGuard)) << rows << " x " << cols;
  }
};

// Row counts around the block widths (1, 4, 8), multiples of 16 and the tile side (64), so
// that blocks, tiles and the table's columns start on and off cache lines; column counts
// from none to a few hundred.
TEST_P(RowDistanceTier, MatchesPlainLoopOnEveryEdgeOfTheBlocking) {
  std::mt19937_64 rng(5);
  for (std::int32_t cols : {0, 1, 2, 3, 5, 8, 17}) {
    for (std::int32_t rows = 0; rows <= 26; ++rows) {
      expectLiteralTable(randomMatrix(rng, rows, cols), rows, cols);
    }
  }
  for (std::int32_t rows : {31, 32, 33, 63, 64, 65, 127, 128, 129, 191, 192, 193, 263}) {
    expectLiteralTable(randomMatrix(rng, rows, 3), rows, 3);
  }
  for (std::int32_t rows : {47, 64, 65, 97, 129}) {
    expectLiteralTable(randomMatrix(rng, rows, 300), rows, 300);
  }
}

// Blocks are up to 16 rows on one side and 8 on the other, and a tier may take other
// blocks for wide rows (from 128 columns): past the first tile, every count of leftover
// rows from 1 to 17 cuts the last blocks of a tile off the diagonal at each place, on the
// side read as vectors and on the side read row by row, for narrow and wide rows.
TEST_P(RowDistanceTier, MatchesPlainLoopOnEveryPartialBlockOffTheDiagonal) {
  std::mt19937_64 rng(23);
  for (std::int32_t cols : {1, 16, 17, 127, 128, 129}) {
    for (std::int32_t rows = 65; rows <= 81; ++rows) {
      expectLiteralTable(randomMatrix(rng, rows, cols), rows, cols);
    }
  }
}

// The blocks sum a chunk of 16 columns at a time, carrying each pair's partial sum to the
// next chunk, over half a tile's rows (32) against the whole tile; up to 37 columns they sum
// them all in one chunk. Column counts on both sides of one, two and three chunks and of
// the one-chunk limit, with row counts on both sides of each half tile, on and off the
// diagonal, for narrow and wide rows.
TEST_P(RowDistanceTier, MatchesPlainLoopAcrossChunksOfColumns) {
  std::mt19937_64 rng(31);
  for (std::int32_t cols : {15, 16, 17, 31, 32, 33, 37, 38, 47, 49}) {
    for (std::int32_t rows : {31, 32, 33, 95, 96, 97, 160}) {
      expectLiteralTable(randomMatrix(rng, rows, cols), rows, cols);
    }
  }
  for (std::int32_t rows : {33, 97}) {
    expectLiteralTable(randomMatrix(rng, rows, 143), rows, 143);
  }
}

// Whole tiles start where a cache line of the table starts, after a first narrow band of
// up to seven rows, when the row count keeps every column on the same place in a line:
// the table at each of the eight places, with row counts that do and do not.
TEST_P(RowDistanceTier, MatchesPlainLoopWhereverTheTableStarts) {
  std::mt19937_64 rng(29);
  for (std::size_t shift = 0; shift < 8; ++shift) {
    for (std::int32_t rows : {8, 15, 72, 136, 137}) {
      expectLiteralTable(randomMatrix(rng, rows, 3), rows, 3, shift);
    }
    expectLiteralTable(randomMatrix(rng, 88, 130), 88, 130, shift);
  }
}

// A NaN in one row makes its every distance NaN but leaves its diagonal 0.0, and inf - inf
// gives NaN as well, wherever the pair falls: in a diagonal tile, its mirror image, or a
// tile of its own on either side of a tile edge; in narrow rows, and in wide rows where
// the NaN and the infinity enter in the first chunk of columns and are carried to the last.
TEST_P(RowDistanceTier, NaNAndInfinityReachEveryBlock) {
  const std::int32_t rows = 131;
  for (std::int32_t cols : {4, 130}) {
    Values x(static_cast<std::size_t>(rows * cols), 1.0);
    for (std::int32_t r = 0; r < rows; ++r) x[static_cast<std::size_t>(r)] = r;
    for (std::int32_t nanRow : {5, 63, 64, 130}) {
      x[static_cast<std::size_t>(nanRow + 2 * rows)] = std::numeric_limits<double>::quiet_NaN();
    }
    for (std::int32_t infRow : {13, 20, 70, 127}) {
      x[static_cast<std::size_t>(infRow + 3 * rows)] = std::numeric_limits<double>::infinity();
    }
    expectLiteralTable(x, rows, cols);
  }
}

// Signed zeros, infinities of both signs, squares that overflow to infinity and squares
// that underflow, spread over two tiles and their mirror images.
TEST_P(RowDistanceTier, SignedZerosInfinitiesAndOverflow) {
  const double inf = std::numeric_limits<double>::infinity();
  const double specials[] = {0.0,
                             -0.0,
                             inf,
                             -inf,
                             1e200,
                             -1e200,
                             1e154,
                             std::numeric_limits<double>::max(),
                             1e-160,
                             -1e-170,
                             std::numeric_limits<double>::denorm_min()};
  std::mt19937_64 rng(17);
  std::uniform_int_distribution<std::size_t> pick(0, 2 * std::size(specials));
  // At 40 columns the infinities and overflowed sums are carried from chunk to chunk; at
  // 130 through the blocks of wide rows as well.
  for (std::int32_t cols : {3, 40, 130}) {
    for (std::int32_t rows : {9, 72, 129}) {
      Values x(static_cast<std::size_t>(rows * cols));
      for (double& v : x) {
        const std::size_t k = pick(rng);
        v = k < std::size(specials) ? specials[k] : static_cast<double>(k);
      }
      expectLiteralTable(x, rows, cols);
    }
  }
}

// Equal rows are at distance +0.0 exactly, as are all rows when there are no columns; an
// input with no columns may come without data.
TEST_P(RowDistanceTier, ZeroDistancesAreExact) {
  const Values same(17 * 3, 2.5);
  expectLiteralTable(same, 17, 3);
  expectLiteralTable(Values{}, 13, 0);
}

TEST_P(RowDistanceTier, EmptyMatrixWritesNothing) {
  double untouched = kGarbage;
  GetParam().fill(nullptr, 5, 0, &untouched);
  EXPECT_TRUE(sameBits(&untouched, &kGarbage, 1));
}

INSTANTIATE_TEST_SUITE_P(Tiers, RowDistanceTier, ::testing::ValuesIn(allPaths()),
                         [](const ::testing::TestParamInfo<Path>& info) {
                           return info.param.name;
                         });

}  // namespace
