// The sorted cross-set pass, path by path, with its limits lowered so that a few dozen rows
// reach every step: the two-column sweep, the three-column sweep, the halving of four or more
// columns, and the dominated first-set rows left to scans or to the queries of s; against the
// literal procedure, on every tier.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "dominance/passes/across_sets.h"
#include "tests/dominance/every_tier.h"
#include "tests/dominance/paired_sets.h"
#include "tests/dominance/reference_marking.h"
#include "tests/dominance/shaped_rows.h"

namespace {

class CrossSetPaths : public EveryTier {};

struct Flags {
  std::vector<double> first;
  std::vector<double> second;
};

Flags literal(const RowMatrix& a, const RowMatrix& b) {
  Flags f{referenceWithinSet(a), std::vector<double>(b.rows, 1.0)};
  referenceAcrossSets(a, f.first, b, f.second);
  return f;
}

// The sorted pass from the first row: no stream, no scan.
AcrossAllowance sortedAt(std::int64_t runPairs, std::int64_t coverPairs, bool scanDominated,
                         std::int64_t leafPairs) {
  AcrossAllowance allowance{-1, 0, leafPairs};
  allowance.streamedRows = -1;
  allowance.dominatedBase = scanDominated ? std::int64_t{1} << 40 : -1;
  allowance.dominatedPerRow = 0;
  allowance.runPairs = runPairs;
  allowance.coverPairs = coverPairs;
  return allowance;
}

Flags settled(Tier tier, const RowMatrix& a, const RowMatrix& b, const AcrossAllowance& allowance) {
  Flags f{referenceWithinSet(a), std::vector<double>(b.rows, 1.0)};
  markAcrossSetsWithAllowance(tier, viewOf(a), f.first.data(), viewOf(b), f.second.data(),
                              allowance);
  return f;
}

void expectSettled(Tier tier, const RowMatrix& a, const RowMatrix& b,
                   const AcrossAllowance& allowance, const Flags& expected, int trial) {
  const Flags got = settled(tier, a, b, allowance);
  ASSERT_EQ(got.first, expected.first)
      << "trial " << trial << " runs " << allowance.runPairs << " cover " << allowance.coverPairs
      << " dominated " << allowance.dominatedBase;
  ASSERT_EQ(got.second, expected.second)
      << "trial " << trial << " runs " << allowance.runPairs << " cover " << allowance.coverPairs
      << " dominated " << allowance.dominatedBase;
}

// Every value moved by `by`: the set a little ahead of or behind what it was built from.
RowMatrix shifted(RowMatrix m, double by) {
  for (double& v : m.values) v += by;
  return m;
}

// A second set for `a`: drawn apart, built from it (copies, rows a unit ahead or behind), the
// same rows again, or all of them a unit ahead or behind, so that many first-set rows are
// dominated, or many second-set rows fall.
RowMatrix secondSetFor(std::mt19937_64& rng, const RowMatrix& a, std::size_t rows, int trial) {
  switch (trial % 6) {
    case 0:
      return a;
    case 1:
      return shifted(pairedSet(rng, a, rows, 2 + trial % 5), -1.0);
    case 2:
      return shifted(pairedSet(rng, a, rows, 2 + trial % 5), 1.0);
    case 3:
      return frontRows(rng, rows, a.cols);
    default:
      return pairedSet(rng, a, rows, 2 + trial % 5);
  }
}

// The sweep of the dominated first-set rows alone after running minimums (one in `most`
// dominated at most: 0 never gives up, a large count at the first dominated row).
AcrossAllowance sweptOneIn(std::int32_t most) {
  AcrossAllowance allowance = sortedAt(0, 0, false, 0);
  allowance.sweptOneIn = most;
  return allowance;
}

// Two columns: first-set rows a staircase, the second set anything; the running minimums
// first, giving up or not.
TEST_P(CrossSetPaths, TwoColumnSweepMatchesTheScan) {
  std::mt19937_64 rng(9101);
  for (int trial = 0; trial < 3000; ++trial) {
    const RowMatrix a = shapedRows(rng, trial, static_cast<std::size_t>(trial % 71), 2);
    const RowMatrix b = secondSetFor(rng, a, static_cast<std::size_t>(trial / 6 % 83), trial);
    const Flags expected = literal(a, b);
    for (const std::int32_t most : {0, 8, 1 << 20}) {
      expectSettled(GetParam(), a, b, sweptOneIn(most), expected, trial);
    }
  }
}

// Second-set rows that may dominate first-set rows to come pile up before the first of those:
// rising in the first column and falling in the second, and at first rising in index, so that
// each joins the staircase at its low end and it grows long enough to become a heap; later
// ones come in any order of index. Ties in both columns, and first-set rows that take them
// out a few at a time.
TEST_P(CrossSetPaths, TwoColumnSweepOnALongStaircase) {
  std::mt19937_64 rng(9103);
  for (int trial = 0; trial < 60; ++trial) {
    const std::size_t rows = 40 + static_cast<std::size_t>(trial) * 9;
    // The row each place of the sweep takes: the first ones rising at the top of the indexes.
    std::vector<std::size_t> order(rows);
    const std::size_t rising = trial % 2 == 0 ? rows : std::min<std::size_t>(rows, 80);
    for (std::size_t p = 0; p < rows; ++p) order[p] = p < rising ? rows - rising + p : p - rising;
    for (std::size_t p = rising; p + 1 < rows; ++p) {
      std::swap(order[p], order[p + rng() % (rows - p)]);
    }
    RowMatrix b{rows, 2, std::vector<double>(2 * rows)};
    for (std::size_t p = 0; p < rows; ++p) {
      b.values[order[p]] = static_cast<double>(p / (1 + trial % 3));
      b.values[order[p] + rows] =
          -static_cast<double>(p) + static_cast<double>(rng() % (1 + trial % 4));
    }
    // A staircase of first-set rows after most second-set rows in the first column.
    const std::size_t steps = 3 + static_cast<std::size_t>(trial % 17);
    RowMatrix a{steps, 2, std::vector<double>(2 * steps)};
    for (std::size_t s = 0; s < steps; ++s) {
      a.values[s] = static_cast<double>(rows / 2 + s * rows / steps);
      a.values[s + steps] = -static_cast<double>(s * rows / steps) + 3.0;
    }
    const Flags expected = literal(a, b);
    for (const std::int32_t most : {0, 1 << 20}) {
      expectSettled(GetParam(), a, b, sweptOneIn(most), expected, trial);
    }
  }
}

// Three columns: the sweep marks the dominated first-set rows, which scans or the queries of s
// then settle.
TEST_P(CrossSetPaths, ThreeColumnSweepMatchesTheScan) {
  std::mt19937_64 rng(9107);
  for (int trial = 0; trial < 2400; ++trial) {
    const RowMatrix a = shapedRows(rng, trial, static_cast<std::size_t>(trial % 67), 3);
    const RowMatrix b = secondSetFor(rng, a, static_cast<std::size_t>(trial / 6 % 79), trial);
    const Flags expected = literal(a, b);
    for (const bool scan : {false, true}) {
      expectSettled(GetParam(), a, b, sortedAt(0, 0, scan, trial % 2 == 0 ? 0 : 7), expected,
                    trial);
    }
  }
}

// Four to eleven columns: the halving splits runs of the merged order down to single pairs or
// settles them whole, the covers split by columns down to single pairs or give groups to the
// pair kernel, and the last three columns are swept; up to eight columns, the sets are also
// split by a pivot's regions first.
TEST_P(CrossSetPaths, HalvingMatchesTheScan) {
  std::mt19937_64 rng(9109);
  const std::int64_t runs[] = {0, 3, 40};
  const std::int64_t covers[] = {0, 5, 120};
  for (int trial = 0; trial < 1500; ++trial) {
    const auto cols = static_cast<std::size_t>(4 + trial % 8);
    const RowMatrix a = shapedRows(rng, trial, static_cast<std::size_t>(trial % 59), cols);
    const RowMatrix b = secondSetFor(rng, a, static_cast<std::size_t>(trial / 6 % 61), trial);
    const Flags expected = literal(a, b);
    for (const std::int64_t run : runs) {
      for (const std::int64_t cover : covers) {
        AcrossAllowance allowance = sortedAt(run, cover, (run + cover) % 2 == 0, 0);
        allowance.regionsFromColumns = (run + cover + trial) % 2 == 0 ? 4 : 9;
        allowance.regionsFromRows = 0;
        expectSettled(GetParam(), a, b, allowance, expected, trial);
      }
    }
  }
}

// Long fronts of four to eight columns against fronts, against themselves, and against
// copies a little ahead or behind, at the default limits but for the stream, and split by
// regions from four columns on.
TEST_P(CrossSetPaths, HalvingOnLongFronts) {
  std::mt19937_64 rng(9113);
  for (int trial = 0; trial < 24; ++trial) {
    const std::size_t cols = 4 + static_cast<std::size_t>(trial % 5);
    const RowMatrix a = frontRows(rng, 600 + rng() % 400, cols);
    const RowMatrix b = secondSetFor(rng, a, 600 + rng() % 400, trial);
    const Flags expected = literal(a, b);
    AcrossAllowance allowance = defaultAcrossAllowance();
    allowance.streamedRows = -1;
    expectSettled(GetParam(), a, b, allowance, expected, trial);
    AcrossAllowance regions = sortedAt(64, 2048, trial % 2 == 0, 64);
    regions.regionsFromColumns = 4;
    regions.regionsFromRows = 0;
    expectSettled(GetParam(), a, b, regions, expected, trial);
  }
}

INSTANTIATE_EVERY_TIER(CrossSetPaths);

}  // namespace
