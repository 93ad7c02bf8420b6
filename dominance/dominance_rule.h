#ifndef DOMINANCE_DOMINANCE_RULE_H
#define DOMINANCE_DOMINANCE_RULE_H

// The dominance rule, and the words every pass uses for it.
//
// A row *stands* while its flag is 1.0; once *eliminated* its flag is 0.0, it is compared
// with nothing more and it eliminates nothing more. Both passes compare a first row with a
// second row (compareRows) and then apply the pair decision (applyPairDecision). The
// within-set pass compares each standing row i with each standing j > i, in order, until i
// is eliminated; the cross-set pass compares each standing row of the first set with each
// standing row of the second. Smaller is better; NaN fails every comparison, so a row
// holding NaN stands and eliminates nothing.
//
// The within-set result has a closed form: a row stands exactly when it holds NaN, or when no
// row dominates it (is <= everywhere and < somewhere) and no lower-indexed row equals it. So
// the within-set pass may eliminate rows in any way that takes each row out only for a row
// that dominates it or equals it with a lower index, and then *settle* the rows still
// standing among themselves, by the closed form restricted to them, with the same outcome:
// - every such elimination is one the closed form makes too;
// - an eliminated row that would eliminate a standing row r was itself eliminated by a row
//   <= it everywhere (lower-indexed, if equal), which therefore would eliminate r too;
//   following such rows leads to a standing row that eliminates r, as each step goes to a
//   row earlier in the sorted order below.
// The scan's eliminations are of that kind, wherever it stops, and so are those of the strong
// rows (kernels/strong_rows/strong_rows.h), which large sets meet before anything else: a few
// rows that eliminate others they dominate or equal with a lower index, whether or not they
// stand themselves.
// The cross-set result follows its scan order: it can leave rows of the second set standing
// that another row of that set dominates. It too has a closed form. For a first-set row i
// standing after the within-set pass, let s(i) be the lowest index of a second-set row that
// dominates it, or none (above every index). Then i stands exactly when s(i) is none, and a
// second-set row j is eliminated exactly when some such i is <= it everywhere with s(i) > j:
// - the scan of i stops at the first standing row that dominates i, and no eliminated row
//   dominates i: a row k that eliminated it is <= it, so k would dominate i within the first
//   set, where i stands. So every scan stops at s(i), eliminating the rows before s(i) that
//   i is <= everywhere;
// - hence the order of the first set's rows does not matter, and the second set's only
//   through s. The pass may scan some rows of the first set and settle the rest by the
//   closed form among the rows still standing in both sets.
// The same argument shows more: a second-set row that any standing first-set row k is <=
// everywhere dominates no standing first-set row i (k would dominate i, or equal it, which
// rows standing after the within-set pass never do), so it is never s(i), whether it falls or
// not. The passes that look for dominators leave such rows out. The cross-set pass rests on
// two more consequences of the closed form:
// - the stream (kernels/first_rows_stream/): with few standing first-set rows, the second
//   set streams past all of them in index order. A first-set row is open until the first
//   second-set row that dominates it, which closes it: that row is s(i). A second-set row falls
//   when an open row, one with s(i) above its index, is <= it everywhere. That is the closed
//   form taken one second-set row at a time; a row that falls closes none, so only the rows
//   that stand are compared the other way.
// - the marks: a first-set row that some second-set row dominates ends eliminated, whatever
//   s(i) is, and one that none dominates (s(i) none) eliminates every second-set row it is <=,
//   whatever that row's index. So the sorted pass first only finds which first-set rows are
//   dominated at all, which the merged sorted order decides as the within-set order does, and
//   drops the second-set rows an undominated one is <=. What is left is what each dominated
//   row i eliminates: the rows before s(i) that it is <= everywhere. Its scan stops exactly at
//   s(i), as no eliminated row dominates it, so the pass scans those rows in any order against
//   the second set's standing rows, and settles any it does not scan by the closed form among
//   them and those standing rows.
//
// Settling works in sorted order (rowPrecedes: columns in turn, then row index), in which a
// row comes after every row that eliminates it. The sorted passes keep their whole state in
// the flag vector: its entries are then *listed rows*, row indexes held as integer-valued
// doubles (exact, as every index is far below 2^53), or kNoRow for an entry holding none.
// Turning listed rows back into flags marks each listed row's own entry in place by adding
// an offset above every index, which keeps that entry's content readable; it relies on the
// listed indexes being distinct and below the row count, so no entry is marked twice.

#include <cstdint>

#include "common/matrix_view.h"

// Outcome of comparing a first row against a second row over every column. All
// comparisons are ordered IEEE-754 ones, so anything involving NaN is false.
struct PairVerdict {
  bool firstGreaterOrEqual;   // first >= second in every column
  bool allEqual;              // first == second in every column
  bool secondGreaterOrEqual;  // second >= first in every column
};

// Visits every column; the fast paths stop early or compare several pairs at once, and each
// says how it reaches the same verdict.
inline PairVerdict compareRows(const MatrixView& first, std::int32_t firstRow,
                               const MatrixView& second, std::int32_t secondRow,
                               std::int32_t cols) {
  PairVerdict verdict{true, true, true};
  for (std::int32_t k = 0; k < cols; ++k) {
    const double a = elementAt(first, firstRow, k);
    const double b = elementAt(second, secondRow, k);
    verdict.firstGreaterOrEqual = verdict.firstGreaterOrEqual && a >= b;
    verdict.allEqual = verdict.allEqual && a == b;
    verdict.secondGreaterOrEqual = verdict.secondGreaterOrEqual && b >= a;
  }
  return verdict;
}

// The second row dominates the first, or is dominated by or equal to it. At most one rule
// fires: both directions holding means every column is equal.
inline void applyPairDecision(const PairVerdict& verdict, double& firstFlag, double& secondFlag) {
  if (verdict.firstGreaterOrEqual && !verdict.allEqual) firstFlag = 0.0;
  if (verdict.secondGreaterOrEqual) secondFlag = 0.0;
}

// A listed-row entry that holds no row.
constexpr double kNoRow = -1.0;

inline std::int32_t rowOf(double entry) {
  return static_cast<std::int32_t>(entry);
}

#endif
