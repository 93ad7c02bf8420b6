// Arbitrary bytes read as one or two small matrices: every pass of every tier this
// processor has must give the flags of the literal procedures.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "common/tier.h"
#include "dominance/dominance.h"
#include "dominance/fronts/front_divide.h"
#include "dominance/fronts/front_regions.h"
#include "dominance/passes/across_sets.h"
#include "dominance/passes/within_set.h"
#include "dominance/sorts/sorted_rows.h"
#include "tests/dominance/reference_marking.h"

namespace {

class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// Mostly a few small values, so rows tie and repeat; otherwise NaN, infinities, -0.0,
// values a unit in the last place apart, or any eight bytes.
double nextValue(ByteReader& in) {
  const std::uint8_t code = in.next();
  if (code < 160) return static_cast<double>(code % 5) - 2.0;
  if (code < 176) return std::numeric_limits<double>::quiet_NaN();
  if (code < 192)
    return code % 2 == 0 ? std::numeric_limits<double>::infinity()
                         : -std::numeric_limits<double>::infinity();
  if (code < 208) return -0.0;
  if (code < 240) return 1.0 + (code % 4) * std::numeric_limits<double>::epsilon();
  std::uint64_t bits = 0;
  for (int b = 0; b < 8; ++b) bits = bits << 8 | in.next();
  double v = 0.0;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

RowMatrix nextMatrix(ByteReader& in, std::size_t rows, std::size_t cols) {
  RowMatrix m;
  m.rows = rows;
  m.cols = cols;
  m.values.resize(rows * cols);
  for (double& v : m.values) v = nextValue(in);
  return m;
}

// The second set drawn apart, or built from the first: its rows copied, some moved a unit
// ahead or behind in one column, or the very same matrix.
RowMatrix nextSecondSet(ByteReader& in, const RowMatrix& a, std::size_t rows) {
  const std::uint8_t mode = in.next();
  if (mode < 86 || a.rows == 0) return nextMatrix(in, rows, a.cols);
  if (mode >= 171) return a;
  RowMatrix b = nextMatrix(in, rows, a.cols);
  for (std::size_t r = 0; r < rows; ++r) {
    const std::uint8_t pick = in.next();
    if (pick >= 192) continue;
    for (std::size_t c = 0; c < b.cols; ++c) b.values[r + c * rows] = a.at(pick % a.rows, c);
    if (pick >= 64 && b.cols > 0) b.values[r + (in.next() % b.cols) * rows] += pick < 128 ? -1 : 1;
  }
  return b;
}

void expectSame(const std::vector<double>& got, const std::vector<double>& expected) {
  if (got != expected) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const std::size_t cols = in.next() % 10;
  const std::size_t rowsA = in.next() % 80;
  const std::size_t rowsB = in.next() % 40;
  const std::uint8_t budget = in.next();
  const RowMatrix a = nextMatrix(in, rowsA, cols);
  const RowMatrix b = nextSecondSet(in, a, rowsB);

  const std::vector<double> withinA = referenceWithinSet(a);
  std::vector<double> expectA = withinA;
  std::vector<double> expectB(b.rows, 1.0);
  referenceAcrossSets(a, expectA, b, expectB);

  std::vector<double> fa(a.rows, 1.0);
  std::vector<double> fb(b.rows, 1.0);
  markWithinSet(viewOf(a), fa.data());
  expectSame(fa, withinA);
  markAcrossSets(viewOf(a), fa.data(), viewOf(b), fb.data());
  expectSame(fa, expectA);
  expectSame(fb, expectB);

  for (const Tier tier : kTiers) {
    if (!tierRunsHere(tier)) continue;
    // The byte chooses how far the scan gets before the sorted passes settle the rest, or
    // whether the strong-row filter runs first.
    const WithinSetLimits limits{
        budget % 4 == 0 ? 0 : std::numeric_limits<std::int32_t>::max(),
        {budget == 255 ? std::numeric_limits<std::int64_t>::max() : std::int64_t{budget}, 0}};
    fa.assign(a.rows, 1.0);
    markWithinSetWithLimits(tier, viewOf(a), fa.data(), limits);
    expectSame(fa, withinA);
    fb.assign(b.rows, 1.0);
    markAcrossSetsFor(tier, viewOf(a), fa.data(), viewOf(b), fb.data());
    expectSame(fa, expectA);
    expectSame(fb, expectB);
    // The same byte chooses where the cross-set scan hands over, and the groups the sorted
    // pass compares pair by pair; every other time the few standing first-set rows are not
    // streamed, and the sorted pass scans its dominated first-set rows or settles them by the
    // queries of s, halving runs and covers down to a few pairs, split by regions or not.
    AcrossAllowance allowance{std::int64_t{budget} - 1, 0, budget % 8};
    allowance.streamedRows = budget % 2 == 0 ? -1 : 64;
    allowance.dominatedBase = budget % 3 == 0 ? -1 : std::int64_t{budget} * 4;
    allowance.dominatedPerRow = 0;
    allowance.runPairs = budget / 8 % 8;
    allowance.coverPairs = budget / 64;
    allowance.regionsFromColumns = budget % 5 == 0 ? 4 : 5;
    allowance.regionsFromRows = budget % 7;
    allowance.sweptOneIn = budget % 3 == 1 ? 1 << 20 : budget % 9;
    fa = withinA;
    fb.assign(b.rows, 1.0);
    markAcrossSetsWithAllowance(tier, viewOf(a), fa.data(), viewOf(b), fb.data(), allowance);
    expectSame(fa, expectA);
    expectSame(fb, expectB);

    // The divide and conquer alone, with limits low enough to split a few rows.
    if (cols >= 2 && a.rows > 0) {
      fa.assign(a.rows, 1.0);
      const MatrixView view = viewOf(a);
      const std::int32_t listed = listStandingRows(fa.data(), view.rows);
      const std::int32_t count = sortListedRows(view, fa.data(), listed);
      divideFront(tier, view, fa.data(), count, DivideLimits{1 + budget % 8, budget / 8 % 8});
      flagsFromListedRows(view, fa.data(), listed);
      expectSame(fa, withinA);
      // And a pivot's regions first, each settled by it.
      fa.assign(a.rows, 1.0);
      const std::int32_t again = listStandingRows(fa.data(), view.rows);
      const std::int32_t sorted = sortListedRows(view, fa.data(), again);
      if (sorted > 0) {
        settleByRegions(tier, view, fa.data(), sorted,
                        DivideLimits{1 + budget % 8, budget / 8 % 8});
      }
      flagsFromListedRows(view, fa.data(), again);
      expectSame(fa, withinA);
    }
  }
  return 0;
}
