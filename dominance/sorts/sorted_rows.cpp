#include "dominance/sorts/sorted_rows.h"

#include <algorithm>
#include <utility>

#include "common/no_contraction.h"
#include "dominance/sorts/digit_sort.h"
#include "dominance/sorts/index_radix.h"
#include "dominance/sorts/packed_keys.h"
#include "dominance/sorts/row_order.h"

namespace {

// Columns whose ties are resolved by repacking before the matrix is read through a
// comparison sort; bounds the nesting on wide rows that tie everywhere.
constexpr std::int32_t kRepackedColumns = 8;

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
  while (begin < end) {
    const std::int64_t prefix = packedPrefix(*begin, packing);
    double* runEnd = begin;
    for (; runEnd < end && packedPrefix(*runEnd, packing) == prefix; ++runEnd) {
      *runEnd = packedRow(*runEnd, packing);
    }
    if (runEnd - begin > 1) {
      const std::int32_t next = col + 1;
      if (!sameInColumn(m, begin, runEnd, col) || next >= kRepackedColumns) {
        std::sort(begin, runEnd,
                  [&m](double a, double b) { return rowPrecedes(m, rowOf(a), rowOf(b)); });
      } else if (next == m.cols) {
        sortByHighDigits(begin, runEnd, 0);  // equal rows: by index
      } else {
        const double* values = columnData(m, next);
        for (double* p = begin; p < runEnd; ++p) *p = packedEntry(values, rowOf(*p), packing);
        sortByHighDigits(begin, runEnd, packing.indexBits);
        orderTies(m, begin, runEnd, next, packing);
      }
    }
    begin = runEnd;
  }
}

}  // namespace

std::int32_t listStandingRows(double* flags, std::int32_t rows) {
  std::int32_t count = 0;
  for (std::int32_t r = 0; r < rows; ++r) {
    if (flags[r] != 0.0) flags[count++] = r;
  }
  return count;
}

// The bulk of the sort moves row indexes by the leading bits of the first column; only rows
// that tie there are packed again and sorted by the whole key and the rows.
std::int32_t sortListedRows(const MatrixView& m, double* list, std::int32_t count) {
  std::int32_t sorted = 0;
  for (std::int32_t p = 0; p < count; ++p) {
    if (!rowHasNaN(m, rowOf(list[p]))) std::swap(list[sorted++], list[p]);
  }
  const LeadingKeyOrder order = sortByLeadingKey(m, list, sorted);
  const Packing packing = packingFor(m.rows);
  const double* first = columnData(m, 0);
  const auto leadingBits = [&](std::int64_t p) {
    return orderKey(first[rowOf(list[p])]) >> order.lowBit;
  };
  // Each entry's leading bits are read once: a run ends where the next entry's differ.
  std::int64_t begin = 0;
  std::uint64_t key = order.count > 0 ? leadingBits(0) : 0;
  for (std::int64_t p = 1; p <= order.count; ++p) {
    const std::uint64_t next = p < order.count ? leadingBits(p) : ~key;
    if (next == key) continue;
    if (p - begin > 1) {
      for (std::int64_t q = begin; q < p; ++q) {
        list[q] = packedEntry(first, rowOf(list[q]), packing);
      }
      sortByHighDigits(list + begin, list + p, packing.indexBits);
      orderTies(m, list + begin, list + p, 0, packing);
    }
    begin = p;
    key = next;
  }
  return sorted;
}

// A short list is kept aside on the stack while the vector is cleared, so the vector is
// written once. Otherwise each listed row marks its own entry by adding an offset far above
// every row index, which keeps the entry's content readable. The marks are independent of
// one another, so the processor overlaps them, where carrying rows along cycles would wait
// on every step.
void flagsFromListedRows(const MatrixView& m, double* flags, std::int32_t count) {
  constexpr std::int32_t kKeptAside = 512;
  if (count <= kKeptAside) {
    std::int32_t rows[kKeptAside];
    std::int32_t kept = 0;
    for (std::int32_t p = 0; p < count; ++p) {
      if (flags[p] >= 0.0) rows[kept++] = rowOf(flags[p]);
    }
    std::fill(flags, flags + m.rows, 0.0);
    for (std::int32_t p = 0; p < kept; ++p) flags[rows[p]] = 1.0;
    return;
  }
  constexpr double kListed = 4294967296.0;  // 2^32: exact, and above every row index + 1
  for (std::int32_t p = count; p < m.rows; ++p) flags[p] = kNoRow;
  for (std::int32_t p = 0; p < count; ++p) {
    const double entry = flags[p];
    const double content = entry >= kListed / 2 ? entry - kListed : entry;
    if (content >= 0.0) flags[rowOf(content)] += kListed;
  }
  for (std::int32_t r = 0; r < m.rows; ++r) flags[r] = flags[r] >= kListed / 2 ? 1.0 : 0.0;
}
