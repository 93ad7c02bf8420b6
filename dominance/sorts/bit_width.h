#ifndef DOMINANCE_SORTS_BIT_WIDTH_H
#define DOMINANCE_SORTS_BIT_WIDTH_H

// Bit widths of the sort keys, free of compiler built-ins so that every compiler takes the
// same path.

#include <cstdint>

// Index of the highest set bit of a non-zero value.
inline int highestBit(std::uint64_t bits) {
  int top = 63;
  while ((bits >> top & 1) == 0) --top;
  return top;
}

// The fewest bits that hold every index below `count`.
inline int indexBitsFor(std::int64_t count) {
  int bits = 0;
  while ((std::int64_t{1} << bits) < count) ++bits;
  return bits;
}

#endif
