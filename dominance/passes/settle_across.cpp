#include "dominance/passes/settle_across.h"

#include <algorithm>
#include <utility>

#include "common/no_contraction.h"
#include "dominance/across/covered_rows.h"
#include "dominance/across/dominated_rows.h"
#include "dominance/across/first_entries.h"
#include "dominance/across/lowest_dominators.h"
#include "dominance/across/marked_entries.h"
#include "dominance/across/three_column_sweeps.h"
#include "dominance/across/two_column_sweeps.h"
#include "dominance/dominance_rule.h"
#include "dominance/kernels/row_scan/row_scan.h"
#include "dominance/sorts/digit_sort.h"
#include "dominance/sorts/row_order.h"
#include "dominance/sorts/sorted_rows.h"
#include "dominance/tier_table.h"

namespace {

void sortFirstEntries(const MatrixView& first, double* entries, std::int32_t count,
                      FirstPacking packing) {
  std::sort(entries, entries + count, [&first, packing](double a, double b) {
    return rowPrecedes(first, firstRow(a, packing), firstRow(b, packing));
  });
}

// The two queries of the closed form by the halving: s of each listed first-set row, then
// the second-set rows that fall. The first leaves both lists permuted, so they are sorted
// again in between: the first set's entries by reading rows, as they carry s.
void settleByQueries(const MatrixView& first, double* firstEntries, std::int32_t firstCount,
                     const MatrixView& second, double* secondRows, std::int32_t secondCount,
                     FirstPacking packing, std::int64_t leafPairs) {
  findLowestDominators(first, firstEntries, firstCount, second, secondRows, secondCount, packing,
                       leafPairs);
  sortFirstEntries(first, firstEntries, firstCount, packing);
  sortListedRows(second, secondRows, secondCount);
  dropCoveredRows(first, firstEntries, firstCount, second, secondRows, secondCount, packing,
                  leafPairs);
}

// Turns settled lists back into flags. A listed entry holds a standing row, or -2 - r for a
// row r that fell, or kNoRow. Where every row was listed and the fallen ones kept their rows,
// the vector is written in one pass from the end, the fallen rows in increasing order at the
// start of it, each below the place it is read from: cheaper than marking each listed row's
// own entry (flagsFromListedRows), which the other lists take.
void flagsFromSettledRows(const MatrixView& m, double* flags, std::int32_t listed) {
  std::int32_t fallen = 0;
  bool held = true;
  for (std::int32_t p = 0; p < listed; ++p) {
    const double entry = flags[p];
    if (entry == kNoRow) held = false;
    if (entry < kNoRow) std::swap(flags[fallen++], flags[p]);
  }
  if (listed < m.rows || !held) {
    for (std::int32_t p = 0; p < fallen; ++p) flags[p] = kNoRow;
    return flagsFromListedRows(m, flags, listed);
  }
  for (std::int32_t p = 0; p < fallen; ++p) flags[p] = -2.0 - flags[p];
  sortByHighDigits(flags, flags + fallen, 0);
  std::int32_t end = m.rows;
  for (std::int32_t p = fallen - 1; p >= 0; --p) {
    const std::int32_t row = rowOf(flags[p]);
    std::fill(flags + row + 1, flags + end, 1.0);
    flags[row] = 0.0;
    end = row;
  }
  std::fill(flags, flags + end, 1.0);
}

// Both sets listed and sorted; rows holding NaN stay listed at the end of each, where
// nothing eliminates them.
struct Lists {
  std::int32_t firstListed;
  std::int32_t firstCount;
  std::int32_t secondListed;
  std::int32_t secondCount;
};

// The first-set rows listed in rows[0 .. count), each dominated by a second-set row, against
// the standing rows of `second`: they all end eliminated, and what remains is what each
// eliminates, the rows before s(i) that it is <= in every column. The scan of a row stops at
// s(i), so it does exactly that while the scans stay short; the rows left are settled by
// both queries in sorted order. Leaves each entry of rows[0 .. count) at -2 - row: fallen.
void settleDominatedRows(Tier tier, const MatrixView& first, double* rows, std::int32_t count,
                         const MatrixView& second, double* secondFlags,
                         const AcrossAllowance& settling) {
  const RowScan scan = rowScanFor(tier);
  const std::int64_t limit =
      settling.dominatedBase + settling.dominatedPerRow * (std::int64_t{first.rows} + second.rows);
  std::int64_t passed = 0;
  std::int32_t p = 0;
  for (; p < count && passed <= limit; ++p) {
    double flag = 1.0;
    const std::int32_t row = rowOf(rows[p]);
    passed += scan(first, row, &flag, second, 0, secondFlags).stop;
    rows[p] = -2.0 - row;
  }
  if (p == count) return;
  double* const rest = rows + p;
  const std::int32_t restCount = sortListedRows(first, rest, count - p);
  const std::int32_t secondListed = listStandingRows(secondFlags, second.rows);
  const std::int32_t secondCount = sortListedRows(second, secondFlags, secondListed);
  const FirstPacking packing = firstPackingFor(first.rows, second.rows);
  for (std::int32_t q = 0; q < restCount; ++q) {
    rest[q] = firstEntry(rowOf(rest[q]), packing.none, packing);
  }
  settleByQueries(first, rest, restCount, second, secondFlags, secondCount, packing,
                  settling.leafPairs);
  flagsFromListedRows(second, secondFlags, secondListed);
  for (std::int32_t q = 0; q < restCount; ++q) rest[q] = -2.0 - firstRow(rest[q], packing);
}

// Three or more columns: first only whether a second-set row dominates each first-set row,
// and the second-set rows that an undominated first-set row is <=, which fall whatever the
// order (s is none). The dominated first-set rows are then settled on their own.
void settleByMarks(Tier tier, const MatrixView& first, double* firstFlags, const MatrixView& second,
                   double* secondFlags, Lists lists, const AcrossAllowance& settling) {
  const MarkPacking marks = markPackingFor(first.rows);
  for (std::int32_t p = 0; p < lists.firstCount; ++p) {
    firstFlags[p] = markedEntry(rowOf(firstFlags[p]), p, marks);
  }
  if (first.cols == 3) {
    sweepThreeColumnsAcross(first, firstFlags, lists.firstCount, second, secondFlags,
                            lists.secondCount, marks);
  } else {
    const SecondMarking secondMarks = secondMarkingFor(second.rows);
    markDominatedRows(tier, first, firstFlags, lists.firstCount, second, secondFlags,
                      lists.secondCount, marks, secondMarks,
                      MarkLimits{settling.runPairs, settling.coverPairs,
                                 settling.regionsFromColumns, settling.regionsFromRows});
    for (std::int32_t p = 0; p < lists.secondCount; ++p) {
      const double entry = secondFlags[p];
      if (entry >= secondMarks.mark) secondFlags[p] = -2.0 - (entry - secondMarks.mark);
    }
  }
  // The dominated rows first, as plain rows.
  std::int32_t dominated = 0;
  for (std::int32_t p = 0; p < lists.firstCount; ++p) {
    const double entry = firstFlags[p];
    firstFlags[p] = markedRow(entry, marks);
    if (isMarked(entry, marks)) std::swap(firstFlags[dominated++], firstFlags[p]);
  }
  flagsFromSettledRows(second, secondFlags, lists.secondListed);
  settleDominatedRows(tier, first, firstFlags, dominated, second, secondFlags, settling);
  flagsFromSettledRows(first, firstFlags, lists.firstListed);
}

}  // namespace

void settleAcrossSets(Tier tier, const MatrixView& first, double* firstFlags,
                      const MatrixView& second, double* secondFlags,
                      const AcrossAllowance& settling) {
  Lists lists{};
  lists.firstListed = listStandingRows(firstFlags, first.rows);
  lists.firstCount = sortListedRows(first, firstFlags, lists.firstListed);
  lists.secondListed = listStandingRows(secondFlags, second.rows);
  lists.secondCount = sortListedRows(second, secondFlags, lists.secondListed);
  if (first.cols >= 3) {
    return settleByMarks(tier, first, firstFlags, second, secondFlags, lists, settling);
  }
  // Two columns: which first-set rows are dominated at all by running minimums, and s of
  // those (or of all, where many are) by one sweep, the first set's entries carrying it.
  const FirstPacking packing = firstPackingFor(first.rows, second.rows);
  for (std::int32_t p = 0; p < lists.firstCount; ++p) {
    firstFlags[p] = firstEntry(rowOf(firstFlags[p]), packing.none, packing);
  }
  const std::int32_t dominated =
      markAcrossTwoColumns(first, firstFlags, lists.firstCount, second, secondFlags,
                           lists.secondCount, packing, settling.sweptOneIn);
  if (dominated < 0) {
    sweepAcrossTwoColumns(first, firstFlags, lists.firstCount, second, secondFlags,
                          lists.secondCount, packing);
  } else if (dominated > 0) {
    // The dominated rows and the second set's standing rows first, each in their order: the
    // undominated rows have eliminated what they eliminate, and fallen rows dominate none.
    std::int32_t held = 0;
    for (std::int32_t p = 0; p < lists.firstCount; ++p) {
      if (firstFlags[p] < 0.0) std::swap(firstFlags[held++], firstFlags[p]);
    }
    for (std::int32_t p = 0; p < held; ++p) {
      firstFlags[p] =
          firstEntry(static_cast<std::int32_t>(-2.0 - firstFlags[p]), packing.none, packing);
    }
    std::int32_t standing = 0;
    for (std::int32_t p = 0; p < lists.secondCount; ++p) {
      if (secondFlags[p] >= 0.0) std::swap(secondFlags[standing++], secondFlags[p]);
    }
    sweepAcrossTwoColumns(first, firstFlags, held, second, secondFlags, standing, packing);
  }
  for (std::int32_t p = 0; p < lists.firstCount; ++p) {
    const double entry = firstFlags[p];
    const std::int32_t row = firstRow(entry, packing);
    firstFlags[p] = firstLowest(entry, packing) == packing.none ? row : -2.0 - row;
  }
  flagsFromSettledRows(first, firstFlags, lists.firstListed);
  flagsFromSettledRows(second, secondFlags, lists.secondListed);
}

bool acrossSettlingFits(const MatrixView& first, const MatrixView& second) {
  return firstPackingFits(first.rows, second.rows) && markPackingFits(first.rows);
}
