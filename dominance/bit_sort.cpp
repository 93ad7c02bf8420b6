#include "dominance/bit_sort.h"

#include <cstddef>
#include <cstdint>

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

}  // namespace

// A binary radix sort: each range splits on the highest bit that differs within it, so no
// pass is spent on bits all entries share, and ranges nest at most 53 deep whatever the keys.
// The split moves entries without branching on their bits, which a comparison sort cannot
// avoid on random keys.
void sortByHighBits(double* begin, double* end, int lowBit) {
  while (end - begin > kInsertionSortUpTo) {
    std::uint64_t common = ~std::uint64_t{0};
    std::uint64_t seen = 0;
    for (const double* p = begin; p < end; ++p) {
      const std::uint64_t bits = bitsOf(*p) >> lowBit;
      common &= bits;
      seen |= bits;
    }
    const std::uint64_t differing = common ^ seen;
    if (differing == 0) return;
    int bit = 63;
    while ((differing >> bit & 1) == 0) --bit;
    bit += lowBit;

    double* split = begin;
    for (double* p = begin; p < end; ++p) {
      const double v = *p;
      *p = *split;
      *split = v;
      split += (bitsOf(v) >> bit & 1) == 0;
    }
    sortByHighBits(begin, split, lowBit);
    begin = split;
  }
  insertionSort(begin, end);
}
