#include "dominance/bit_sort.h"

#include <cstddef>
#include <cstdint>

#include "common/no_contraction.h"

namespace {

constexpr std::ptrdiff_t kInsertionSortUpTo = 24;

std::uint64_t bitsOf(double v) {
  return static_cast<std::uint64_t>(v);
}

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
    split += (bitsOf(v) >> bit & 1) == 0;
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

}  // namespace

// A binary radix sort, nesting at most 53 deep whatever the keys. Bits shared by all
// entries (the sign and most of the exponent, typically) are skipped at the start; below
// that, keys from real data rarely agree on a bit over a whole range.
void sortByHighBits(double* begin, double* end, int lowBit) {
  std::uint64_t common = ~std::uint64_t{0};
  std::uint64_t seen = 0;
  for (const double* p = begin; p < end; ++p) {
    common &= bitsOf(*p);
    seen |= bitsOf(*p);
  }
  const std::uint64_t differing = (common ^ seen) >> lowBit;
  if (differing == 0) return;
  int bit = 63;
  while ((differing >> bit & 1) == 0) --bit;
  sortBelow(begin, end, bit + lowBit, lowBit);
}
