#ifndef DOMINANCE_ACROSS_FIRST_ENTRIES_H
#define DOMINANCE_ACROSS_FIRST_ENTRIES_H

// The entries that list the first set's rows while the cross-set pass settles them: the row,
// and below it s, the lowest index of a second-set row found to dominate it (the second
// set's row count while none is), as s << indexBits | row, one integer held exactly in a
// double. Both must fit below 2^53, which only sets of tens of millions of rows each exceed.

#include <cstdint>

#include "dominance/sorts/bit_width.h"

struct FirstPacking {
  int indexBits;
  std::int64_t indexMask;
  std::int64_t none;  // s of a row that no second-set row dominates
};

inline FirstPacking firstPackingFor(std::int32_t firstRows, std::int32_t secondRows) {
  const int indexBits = indexBitsFor(firstRows);
  return {indexBits, (std::int64_t{1} << indexBits) - 1, secondRows};
}

inline bool firstPackingFits(std::int32_t firstRows, std::int32_t secondRows) {
  return indexBitsFor(firstRows) + indexBitsFor(std::int64_t{secondRows} + 1) <= 53;
}

inline double firstEntry(std::int32_t row, std::int64_t s, FirstPacking packing) {
  return static_cast<double>(s << packing.indexBits | row);
}

inline std::int32_t firstRow(double entry, FirstPacking packing) {
  return static_cast<std::int32_t>(static_cast<std::int64_t>(entry) & packing.indexMask);
}

inline std::int64_t firstLowest(double entry, FirstPacking packing) {
  return static_cast<std::int64_t>(entry) >> packing.indexBits;
}

#endif
