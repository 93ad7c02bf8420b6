// Listing the standing rows in sorted order: the radix pass over row indexes alone, and the
// whole sort with its ties resolved, against a comparison sort of the same rows.

#include "dominance/sorts/sorted_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "dominance/sorts/index_radix.h"
#include "dominance/sorts/row_order.h"
#include "tests/dominance/random_rows.h"

namespace {

std::vector<std::int32_t> standingRows(const MatrixView& m, const std::vector<double>& flags) {
  std::vector<std::int32_t> rows;
  for (std::int32_t r = 0; r < m.rows; ++r) {
    if (flags[r] != 0.0 && !rowHasNaN(m, r)) rows.push_back(r);
  }
  return rows;
}

// Every shape the radix pass treats apart: keys of any sign and size, keys that differ in
// one digit only (an odd number of passes), in low bits only (ties), or not at all.
std::vector<RowMatrix> shapes(std::mt19937_64& rng) {
  std::vector<RowMatrix> out;
  for (std::size_t rows : {0, 1, 2, 7, 300, 5000}) {
    RowMatrix wide = randomRows(rng, rows, 2, 5);
    for (double& v : wide.values) {
      if (rng() % 2 == 0) v = std::ldexp(static_cast<double>(rng() % 2000) - 1000.0, rng() % 80);
    }
    out.push_back(wide);
    RowMatrix oneDigit = randomRows(rng, rows, 2, 40);
    RowMatrix lowBits = randomRows(rng, rows, 3, 3);
    for (double& v : lowBits.values) v = 1.0 + static_cast<double>(rng() % 64) * 0x1p-52;
    out.push_back(oneDigit);
    out.push_back(lowBits);
    out.push_back(RowMatrix{rows, 2, std::vector<double>(rows * 2, -3.5)});
  }
  return out;
}

TEST(SortedRows, RadixPassListsStandingRowsByLeadingBitsThenIndex) {
  std::mt19937_64 rng(31);
  for (const RowMatrix& matrix : shapes(rng)) {
    const MatrixView m = viewOf(matrix);
    std::vector<double> flags(matrix.rows);
    for (double& f : flags) f = rng() % 5 == 0 ? 0.0 : 1.0;
    const std::vector<std::int32_t> expected = standingRows(m, flags);
    for (std::size_t p = 0; p < expected.size(); ++p) flags[p] = expected[p];
    const auto count = static_cast<std::int32_t>(expected.size());
    const LeadingKeyOrder order = sortByLeadingKey(m, flags.data(), count);
    ASSERT_EQ(order.count, static_cast<std::int32_t>(expected.size()));
    std::vector<std::int32_t> listed;
    for (std::int32_t p = 0; p < order.count; ++p) listed.push_back(rowOf(flags[p]));
    const auto bits = [&](std::int32_t r) { return orderKey(m.data[r]) >> order.lowBit; };
    for (std::size_t p = 1; p < listed.size(); ++p) {
      const bool ordered = bits(listed[p - 1]) < bits(listed[p]) ||
                           (bits(listed[p - 1]) == bits(listed[p]) && listed[p - 1] < listed[p]);
      ASSERT_TRUE(ordered) << "rows " << matrix.rows << " at " << p;
    }
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, expected);
  }
}

TEST(SortedRows, SortMatchesAComparisonSortOnEveryShape) {
  std::mt19937_64 rng(32);
  for (const RowMatrix& matrix : shapes(rng)) {
    const MatrixView m = viewOf(matrix);
    std::vector<double> flags(matrix.rows, 1.0);
    std::vector<std::int32_t> expected = standingRows(m, flags);
    std::sort(expected.begin(), expected.end(),
              [&m](std::int32_t a, std::int32_t b) { return rowPrecedes(m, a, b); });
    const std::int32_t count =
        sortListedRows(m, flags.data(), listStandingRows(flags.data(), m.rows));
    std::vector<std::int32_t> listed;
    for (std::int32_t p = 0; p < count; ++p) listed.push_back(rowOf(flags[p]));
    EXPECT_EQ(listed, expected) << "rows " << matrix.rows << " cols " << matrix.cols;
  }
}

}  // namespace
