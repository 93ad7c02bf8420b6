#include "dominance/sorted_rows.h"

#include <algorithm>

#include "dominance/bit_sort.h"
#include "dominance/row_order.h"

namespace {

std::uint64_t packedBits(double packed) {
  return static_cast<std::uint64_t>(packed);
}

}  // namespace

// Each entry first holds the leading bits of its row's first-column key above the row index,
// as one integer below 2^53, so the bulk of the sort never reads the matrix. Rows whose
// leading bits tie are then ordered by reading it.
std::int32_t sortStandingRows(const MatrixView& m, double* flags) {
  int indexBits = 0;
  while ((std::int64_t{1} << indexBits) < m.rows) ++indexBits;
  const int prefixShift = 64 - (53 - indexBits);
  std::int32_t count = 0;
  for (std::int32_t r = 0; r < m.rows; ++r) {
    if (flags[r] == 0.0 || rowHasNaN(m, r)) continue;
    const std::uint64_t prefix = orderKey(elementAt(m, r, 0)) >> prefixShift;
    flags[count++] = static_cast<double>(prefix << indexBits | static_cast<std::uint64_t>(r));
  }
  sortByHighBits(flags, flags + count, indexBits);

  const std::uint64_t indexMask = (std::uint64_t{1} << indexBits) - 1;
  const auto precedes = [&m](double a, double b) {
    return rowPrecedes(m, static_cast<std::int32_t>(a), static_cast<std::int32_t>(b));
  };
  for (std::int32_t begin = 0; begin < count;) {
    const std::uint64_t prefix = packedBits(flags[begin]) >> indexBits;
    std::int32_t end = begin;
    for (; end < count && packedBits(flags[end]) >> indexBits == prefix; ++end) {
      flags[end] = static_cast<double>(packedBits(flags[end]) & indexMask);
    }
    if (end - begin > 1) std::sort(flags + begin, flags + end, precedes);
    begin = end;
  }
  return count;
}

// Each listed row is carried to its own entry, which is marked; an entry's previous content
// is carried on in turn. Every row moves once, so this takes one pass.
void flagsFromListedRows(const MatrixView& m, double* flags, std::int32_t count) {
  constexpr double kListed = -2.0;
  for (std::int32_t p = count; p < m.rows; ++p) flags[p] = kNoRow;
  for (std::int32_t p = 0; p < m.rows; ++p) {
    double carried = flags[p];
    if (carried < 0.0) continue;
    flags[p] = kNoRow;
    while (carried >= 0.0) {
      const auto row = static_cast<std::int32_t>(carried);
      carried = flags[row];
      flags[row] = kListed;
    }
  }
  for (std::int32_t r = 0; r < m.rows; ++r) {
    flags[r] = flags[r] == kListed || rowHasNaN(m, r) ? 1.0 : 0.0;
  }
}
