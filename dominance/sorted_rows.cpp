#include "dominance/sorted_rows.h"

#include <algorithm>
#include <cstddef>

#include "common/no_contraction.h"
#include "dominance/row_order.h"

namespace {

// The integer an entry holds while sorting: a packed key, or a row index.
std::uint64_t integerOf(double entry) {
  return static_cast<std::uint64_t>(entry);
}

// Sorting entries that hold integers below 2^53 by their bits from `lowBit` up: a binary
// radix sort, nesting at most 53 deep whatever the keys. Entries equal in those bits end in
// no particular order among themselves.

constexpr std::ptrdiff_t kInsertionSortUpTo = 24;

void insertionSort(double* begin, double* end) {
  for (double* p = begin + 1; p < end; ++p) {
    const double v = *p;
    double* hole = p;
    for (; hole > begin && v < hole[-1]; --hole) *hole = hole[-1];
    *hole = v;
  }
}

// Entries with `bit` clear move to the front; returns where the others start. Entries move
// without a branch on their bits, which random keys would mispredict half the time.
double* splitOnBit(double* begin, double* end, int bit) {
  double* split = begin;
  for (double* p = begin; p < end; ++p) {
    const double v = *p;
    *p = *split;
    *split = v;
    split += (integerOf(v) >> bit & 1) == 0;
  }
  return split;
}

// Sorts a range whose entries agree on every bit above `bit`.
void sortBelow(double* begin, double* end, int bit, int lowBit) {
  for (; end - begin > kInsertionSortUpTo && bit >= lowBit; --bit) {
    double* const split = splitOnBit(begin, end, bit);
    if (split == begin || split == end) continue;
    sortBelow(begin, split, bit - 1, lowBit);
    begin = split;
  }
  if (bit >= lowBit) insertionSort(begin, end);
}

// Bits shared by all entries (the sign and most of the exponent, typically) are skipped at
// the start; below that, keys from real data rarely agree on a bit over a whole range.
void sortByHighBits(double* begin, double* end, int lowBit) {
  std::uint64_t common = ~std::uint64_t{0};
  std::uint64_t seen = 0;
  for (const double* p = begin; p < end; ++p) {
    common &= integerOf(*p);
    seen |= integerOf(*p);
  }
  const std::uint64_t differing = (common ^ seen) >> lowBit;
  if (differing == 0) return;
  int bit = 63;
  while ((differing >> bit & 1) == 0) --bit;
  sortBelow(begin, end, bit + lowBit, lowBit);
}

// Columns whose ties are resolved by repacking before the matrix is read through a
// comparison sort; bounds the nesting on wide rows that tie everywhere.
constexpr std::int32_t kRepackedColumns = 8;

// Entries while sorting: the leading bits of one column's key of the row, above the row
// index, as one integer below 2^53.
struct Packing {
  int indexBits;
  int prefixShift;
};

Packing packingFor(std::int32_t rows) {
  int indexBits = 0;
  while ((std::int64_t{1} << indexBits) < rows) ++indexBits;
  return {indexBits, 64 - (53 - indexBits)};
}

double packed(const MatrixView& m, std::int32_t row, std::int32_t col, Packing packing) {
  const std::uint64_t prefix = orderKey(elementAt(m, row, col)) >> packing.prefixShift;
  return static_cast<double>(prefix << packing.indexBits | static_cast<std::uint64_t>(row));
}

bool sameInColumn(const MatrixView& m, const double* begin, const double* end, std::int32_t col) {
  const double first = elementAt(m, rowOf(*begin), col);
  for (const double* p = begin + 1; p < end; ++p) {
    if (!(elementAt(m, rowOf(*p), col) == first)) return false;
  }
  return true;
}

// [begin, end) is sorted by the leading bits of column `col`. Turns its entries back into
// row indexes and orders each run of equal leading bits: rows equal in the column by the
// next column the same way, others (they differ only in low bits) by reading whole rows.
void orderTies(const MatrixView& m, double* begin, double* end, std::int32_t col, Packing packing) {
  const std::uint64_t indexMask = (std::uint64_t{1} << packing.indexBits) - 1;
  while (begin < end) {
    const std::uint64_t prefix = integerOf(*begin) >> packing.indexBits;
    double* runEnd = begin;
    for (; runEnd < end && integerOf(*runEnd) >> packing.indexBits == prefix; ++runEnd) {
      *runEnd = static_cast<double>(integerOf(*runEnd) & indexMask);
    }
    if (runEnd - begin > 1) {
      const std::int32_t next = col + 1;
      if (!sameInColumn(m, begin, runEnd, col) || next >= kRepackedColumns) {
        std::sort(begin, runEnd,
                  [&m](double a, double b) { return rowPrecedes(m, rowOf(a), rowOf(b)); });
      } else if (next == m.cols) {
        sortByHighBits(begin, runEnd, 0);  // equal rows: by index
      } else {
        for (double* p = begin; p < runEnd; ++p) *p = packed(m, rowOf(*p), next, packing);
        sortByHighBits(begin, runEnd, packing.indexBits);
        orderTies(m, begin, runEnd, next, packing);
      }
    }
    begin = runEnd;
  }
}

}  // namespace

// The bulk of the sort moves integers and never reads the matrix; it is read again only to
// order rows whose leading bits tie.
std::int32_t sortStandingRows(const MatrixView& m, double* flags) {
  const Packing packing = packingFor(m.rows);
  std::int32_t count = 0;
  for (std::int32_t r = 0; r < m.rows; ++r) {
    if (flags[r] == 0.0 || rowHasNaN(m, r)) continue;
    flags[count++] = packed(m, r, 0, packing);
  }
  sortByHighBits(flags, flags + count, packing.indexBits);
  orderTies(m, flags, flags + count, 0, packing);
  return count;
}

// Each listed row is carried to its own entry, which is marked; an entry's previous content
// is carried on in turn. Every entry is carried at most once (the premises in
// dominance_rule.h), so this takes one pass.
void flagsFromListedRows(const MatrixView& m, double* flags, std::int32_t count) {
  constexpr double kListed = -2.0;
  for (std::int32_t p = count; p < m.rows; ++p) flags[p] = kNoRow;
  for (std::int32_t p = 0; p < m.rows; ++p) {
    double carried = flags[p];
    if (carried < 0.0) continue;
    flags[p] = kNoRow;
    while (carried >= 0.0) {
      const std::int32_t row = rowOf(carried);
      carried = flags[row];
      flags[row] = kListed;
    }
  }
  for (std::int32_t r = 0; r < m.rows; ++r) {
    flags[r] = flags[r] == kListed || rowHasNaN(m, r) ? 1.0 : 0.0;
  }
}
