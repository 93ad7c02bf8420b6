// Each tier's row scan against the rule itself: compareRows and the pair decision applied to
// the same pairs in scan order.

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <random>
#include <utility>
#include <vector>

#include "dominance/dominance_rule.h"
#include "dominance/tier_table.h"
#include "tests/dominance/every_tier.h"
#include "tests/dominance/random_rows.h"

namespace {

class TierScan : public EveryTier {};

struct ScanResult {
  ScanOutcome outcome;
  double firstFlag;
  std::vector<double> secondFlags;
};

bool operator==(const ScanResult& a, const ScanResult& b) {
  return a.outcome.stop == b.outcome.stop && a.outcome.eliminated == b.outcome.eliminated &&
         a.firstFlag == b.firstFlag && a.secondFlags == b.secondFlags;
}

std::ostream& operator<<(std::ostream& out, const ScanResult& r) {
  out << "stop " << r.outcome.stop << " eliminated " << r.outcome.eliminated << " first "
      << r.firstFlag << " second";
  for (const double f : r.secondFlags) out << ' ' << f;
  return out;
}

ScanResult ruleScan(const MatrixView& first, std::int32_t row, double firstFlag,
                    const MatrixView& second, std::int32_t begin, std::vector<double> flags) {
  ScanResult r{{second.rows, 0}, firstFlag, std::move(flags)};
  for (std::int32_t j = begin; j < second.rows; ++j) {
    double& secondFlag = r.secondFlags[static_cast<std::size_t>(j)];
    if (secondFlag == 0.0) continue;
    applyPairDecision(compareRows(first, row, second, j, first.cols), r.firstFlag, secondFlag);
    r.outcome.eliminated += secondFlag == 0.0 ? 1 : 0;
    if (r.firstFlag == 0.0) {
      r.outcome.stop = j;
      break;
    }
  }
  return r;
}

// Flags with runs of eliminated rows as long as several vector blocks, so that every way a
// scan passes over them is taken from every starting phase.
std::vector<double> randomFlags(std::mt19937_64& rng, std::size_t rows, int trial) {
  std::vector<double> flags(rows, 1.0);
  const unsigned percentEliminated = trial % 4 == 0 ? 0u : 25u * static_cast<unsigned>(trial % 4);
  for (std::size_t r = 0; r < rows;) {
    const std::size_t run = 1 + rng() % 40;
    const double flag = rng() % 100 < percentEliminated ? 0.0 : 1.0;
    for (std::size_t end = r + run; r < end && r < rows; ++r) {
      flags[r] = flag == 0.0 || rng() % 8 != 0 ? flag : 0.0;
    }
  }
  return flags;
}

// A row of one matrix against the rows of another, from any starting row, as the cross-set
// pass calls the scan.
TEST_P(TierScan, AppliesTheRuleToEachPairInOrder) {
  const RowScan scan = rowScanFor(GetParam());
  std::mt19937_64 rng(4421);
  for (int trial = 0; trial < 6000; ++trial) {
    const auto cols = static_cast<std::size_t>(trial % 11);
    const RowMatrix first = randomRows(rng, 1 + rng() % 3, cols, 2 + trial % 3);
    const RowMatrix second = randomRows(rng, rng() % 90, cols, 2 + trial % 3);
    const auto row = static_cast<std::int32_t>(rng() % first.rows);
    const auto begin = static_cast<std::int32_t>(rng() % (second.rows + 1));
    const std::vector<double> flags = randomFlags(rng, second.rows, trial);

    const ScanResult expected = ruleScan(viewOf(first), row, 1.0, viewOf(second), begin, flags);
    ScanResult got{{0, 0}, 1.0, flags};
    got.outcome =
        scan(viewOf(first), row, &got.firstFlag, viewOf(second), begin, got.secondFlags.data());
    ASSERT_EQ(got, expected) << "trial " << trial << ", " << cols << " columns, begin " << begin;
  }
}

// One matrix on both sides, the first row's flag inside the scanned vector, as the
// within-set pass calls the scan.
TEST_P(TierScan, AppliesTheRuleWithinOneMatrix) {
  const RowScan scan = rowScanFor(GetParam());
  std::mt19937_64 rng(8093);
  for (int trial = 0; trial < 6000; ++trial) {
    const auto cols = static_cast<std::size_t>(trial % 11);
    const RowMatrix m = randomRows(rng, 1 + rng() % 90, cols, 2 + trial % 3);
    const auto row = static_cast<std::int32_t>(rng() % m.rows);
    std::vector<double> flags = randomFlags(rng, m.rows, trial);
    flags[static_cast<std::size_t>(row)] = 1.0;

    ScanResult expected = ruleScan(viewOf(m), row, 1.0, viewOf(m), row + 1, flags);
    expected.secondFlags[static_cast<std::size_t>(row)] = expected.firstFlag;
    double* const firstFlag = &flags[static_cast<std::size_t>(row)];
    const ScanOutcome outcome = scan(viewOf(m), row, firstFlag, viewOf(m), row + 1, flags.data());
    ASSERT_EQ((ScanResult{outcome, *firstFlag, flags}), expected)
        << "trial " << trial << ", " << cols << " columns, row " << row;
  }
}

INSTANTIATE_EVERY_TIER(TierScan);

}  // namespace
