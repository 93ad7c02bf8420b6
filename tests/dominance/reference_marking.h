#ifndef TESTS_DOMINANCE_REFERENCE_MARKING_H
#define TESTS_DOMINANCE_REFERENCE_MARKING_H

// Deliberately literal oracles for the dominance passes, written apart from the shipped
// code: the scan procedures step by step, and the within-set outcome in closed form.

#include <cstddef>
#include <vector>

#include "tests/dominance/row_matrix.h"

inline bool allGreaterOrEqual(const RowMatrix& x, std::size_t i, const RowMatrix& y,
                              std::size_t j) {
  for (std::size_t k = 0; k < x.cols; ++k) {
    if (!(x.at(i, k) >= y.at(j, k))) return false;
  }
  return true;
}

inline bool allEqualRows(const RowMatrix& x, std::size_t i, const RowMatrix& y, std::size_t j) {
  for (std::size_t k = 0; k < x.cols; ++k) {
    if (!(x.at(i, k) == y.at(j, k))) return false;
  }
  return true;
}

// y's row j dominates x's row i: <= everywhere and not equal everywhere.
inline bool dominates(const RowMatrix& y, std::size_t j, const RowMatrix& x, std::size_t i) {
  return allGreaterOrEqual(x, i, y, j) && !allEqualRows(x, i, y, j);
}

inline void referencePair(const RowMatrix& x, std::size_t i, std::vector<double>& fx,
                          const RowMatrix& y, std::size_t j, std::vector<double>& fy) {
  const bool firstGe = allGreaterOrEqual(x, i, y, j);
  const bool equal = allEqualRows(x, i, y, j);
  const bool secondGe = allGreaterOrEqual(y, j, x, i);
  if (firstGe && !equal) fx[i] = 0.0;
  if (secondGe) fy[j] = 0.0;
}

inline std::vector<double> referenceWithinSet(const RowMatrix& x) {
  std::vector<double> flags(x.rows, 1.0);
  for (std::size_t i = 0; i + 1 < x.rows; ++i) {
    for (std::size_t j = i + 1; j < x.rows; ++j) {
      if (flags[i] == 0.0) break;
      if (flags[j] == 0.0) continue;
      referencePair(x, i, flags, x, j, flags);
    }
  }
  return flags;
}

inline void referenceAcrossSets(const RowMatrix& a, std::vector<double>& fa, const RowMatrix& b,
                                std::vector<double>& fb) {
  for (std::size_t i = 0; i < a.rows; ++i) {
    for (std::size_t j = 0; j < b.rows; ++j) {
      if (fa[i] == 0.0) break;
      if (fb[j] == 0.0) continue;
      referencePair(a, i, fa, b, j, fb);
    }
  }
}

// The within-set result without the scan: a row stands when nothing dominates it and no
// lower-indexed row equals it.
inline std::vector<double> closedFormWithinSet(const RowMatrix& x) {
  std::vector<double> flags(x.rows, 1.0);
  for (std::size_t r = 0; r < x.rows; ++r) {
    for (std::size_t s = 0; s < x.rows; ++s) {
      if (dominates(x, s, x, r) || (s < r && allEqualRows(x, s, x, r))) flags[r] = 0.0;
    }
  }
  return flags;
}

// The cross-set result without the scan. For a row i of the first set standing after the
// within-set pass, s(i) is the lowest index of a second-set row that dominates it
// (b.rows for none). i stands exactly when s(i) is none; a second-set row j falls exactly
// when some such i is <= it in every column with s(i) > j.
inline void closedFormAcrossSets(const RowMatrix& a, std::vector<double>& fa, const RowMatrix& b,
                                 std::vector<double>& fb) {
  std::vector<std::size_t> lowest(a.rows, b.rows);
  for (std::size_t i = 0; i < a.rows; ++i) {
    for (std::size_t j = 0; j < b.rows && fa[i] == 1.0; ++j) {
      if (dominates(b, j, a, i)) {
        lowest[i] = j;
        break;
      }
    }
  }
  for (std::size_t j = 0; j < b.rows; ++j) {
    for (std::size_t i = 0; i < a.rows; ++i) {
      if (fa[i] == 1.0 && allGreaterOrEqual(b, j, a, i) && lowest[i] > j) fb[j] = 0.0;
    }
  }
  for (std::size_t i = 0; i < a.rows; ++i) {
    if (lowest[i] < b.rows) fa[i] = 0.0;
  }
}

#endif
