// Each tier's cross-set pair kernel against the rule itself: every pair compared one by one.

#include "dominance/kernels/cross_cover/cross_cover.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "dominance/tier_table.h"
#include "tests/dominance/every_tier.h"
#include "tests/dominance/paired_sets.h"
#include "tests/dominance/random_rows.h"

namespace {

class CrossCoverTiers : public EveryTier {};

// Entries holding a row below a mark bit and junk bits between, as the passes' entries do.
std::vector<double> entriesOf(std::mt19937_64& rng, std::size_t rows, std::size_t count,
                              int rowBits) {
  std::vector<double> entries(count);
  for (double& e : entries) {
    const auto junk = static_cast<std::int64_t>(rng() % 64) << rowBits;
    e = static_cast<double>(junk | static_cast<std::int64_t>(rng() % rows));
  }
  return entries;
}

// Whether row `lower` of `m` is <= row `upper` of `n` in the columns not set in `known` (among
// the first eight) from column `col` on, written apart from the kernels' column lists.
bool atMostBesides(const RowMatrix& m, std::size_t lower, const RowMatrix& n, std::size_t upper,
                   unsigned known, std::size_t col) {
  for (std::size_t k = col; k < m.cols; ++k) {
    if (k < 8 && (known >> k & 1u) != 0) continue;
    if (!(m.at(lower, k) <= n.at(upper, k))) return false;
  }
  return true;
}

// Groups on both sides of every block width, every first column, more columns than stay in
// registers, and columns left out as regions leave them; rows drawn with ties, NaN, +-0 and
// +-Inf.
TEST_P(CrossCoverTiers, PairKernelMarksExactlyTheCoveredQueries) {
  std::mt19937_64 rng(8101);
  const CrossCover kernel = crossCoverFor(GetParam());
  for (int trial = 0; trial < 4000; ++trial) {
    const auto cols = static_cast<std::size_t>(1 + trial % 12);
    const RowMatrix p = randomRows(rng, 1 + rng() % 40, cols, 2 + trial % 4);
    const RowMatrix q = trial % 3 == 0 ? pairedSet(rng, p, 1 + rng() % 40, 2 + trial % 4)
                                       : randomRows(rng, 1 + rng() % 40, cols, 2 + trial % 4);
    const int pointBits = 6;
    const int queryBits = 7;
    const std::vector<double> points = entriesOf(rng, p.rows, rng() % 37, pointBits);
    std::vector<double> queries = entriesOf(rng, q.rows, rng() % 37, queryBits);
    const unsigned known = trial % 2 == 0 ? 0u : static_cast<unsigned>(rng() % 256);
    const OpenColumns open = columnsBesides(static_cast<std::int32_t>(cols), known);
    const auto from = static_cast<std::int32_t>(rng() % (open.count + 1));
    // The column at position `from`, or past the last.
    const std::size_t col = from < open.count ? static_cast<std::size_t>(open.at(from)) : cols;
    const double mark = static_cast<double>(std::int64_t{1} << 20);
    std::vector<double> expected = queries;
    for (double& e : expected) {
      const auto row = static_cast<std::size_t>(crossRow(e, (1 << queryBits) - 1));
      for (const double point : points) {
        const auto lower = static_cast<std::size_t>(crossRow(point, (1 << pointBits) - 1));
        if (atMostBesides(p, lower, q, row, known, col)) {
          e += mark;
          break;
        }
      }
    }
    if (from == open.count) continue;  // the kernels are given at least one column
    kernel({viewOf(p), (1 << pointBits) - 1}, points.data(),
           static_cast<std::int32_t>(points.size()), {viewOf(q), (1 << queryBits) - 1},
           queries.data(), static_cast<std::int32_t>(queries.size()), open, from, mark);
    ASSERT_EQ(queries, expected) << "trial " << trial;
  }
}

// Groups of one to seventeen queries, across and below the vector blocks, in which one query
// alone is covered, at each place in turn: exactly that one is marked, and entries just past
// the group, which a short block must not touch, are left as they were.
TEST_P(CrossCoverTiers, ShortBlocksMarkOnlyTheirOwnQueries) {
  const CrossCover kernel = crossCoverFor(GetParam());
  for (std::size_t cols = 1; cols <= 7; cols += 3) {
    for (std::int32_t count = 1; count <= 17; ++count) {
      for (std::int32_t covered = 0; covered < count; ++covered) {
        // Query rows at 1.0 everywhere but the covered one, at 3.0. Point 1, met first, is
        // above every query in the first column; point 0, at 2.0, covers the one query.
        RowMatrix q{static_cast<std::size_t>(count), cols, {}};
        q.values.assign(q.rows * cols, 1.0);
        for (std::size_t c = 0; c < cols; ++c) {
          q.values[static_cast<std::size_t>(covered) + c * q.rows] = 3.0;
        }
        RowMatrix p{2, cols, std::vector<double>(2 * cols, -0.0)};
        for (std::size_t c = 0; c < cols; ++c) p.values[c * 2] = 2.0;
        p.values[1] = 4.0;
        const std::vector<double> points = {1.0, 0.0};
        std::vector<double> queries(static_cast<std::size_t>(count) + 3);
        for (std::size_t e = 0; e < queries.size(); ++e) {
          queries[e] = static_cast<double>(e < q.rows ? e : 1000 + e);
        }
        const double mark = static_cast<double>(std::int64_t{1} << 20);
        std::vector<double> expected = queries;
        expected[static_cast<std::size_t>(covered)] += mark;
        kernel({viewOf(p), (1 << 6) - 1}, points.data(), 2, {viewOf(q), (1 << 6) - 1},
               queries.data(), count, everyColumn(static_cast<std::int32_t>(cols)), 0, mark);
        ASSERT_EQ(queries, expected)
            << "cols " << cols << " count " << count << " covered " << covered;
      }
    }
  }
}

INSTANTIATE_EVERY_TIER(CrossCoverTiers);

}  // namespace
