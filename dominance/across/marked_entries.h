#ifndef DOMINANCE_ACROSS_MARKED_ENTRIES_H
#define DOMINANCE_ACROSS_MARKED_ENTRIES_H

// The entries that list the first set's rows while the cross-set pass only asks whether a
// second-set row dominates each: the row, above it the entry's place in the sorted list (its
// rank, by which the halving puts the list back in order), and above both a mark once some
// second-set row is found to dominate it, as one integer held exactly in a double. Row and
// rank must fit below 2^52, which only sets of tens of millions of rows exceed.

#include <cstdint>

#include "dominance/sorts/bit_width.h"

struct MarkPacking {
  int indexBits;
  std::int64_t indexMask;
  double mark;  // added to the entry of a dominated row
};

inline MarkPacking markPackingFor(std::int32_t firstRows) {
  const int indexBits = indexBitsFor(firstRows);
  return {indexBits, (std::int64_t{1} << indexBits) - 1,
          static_cast<double>(std::int64_t{1} << (2 * indexBits))};
}

inline bool markPackingFits(std::int32_t firstRows) {
  return 2 * indexBitsFor(firstRows) + 1 <= 53;
}

inline double markedEntry(std::int32_t row, std::int32_t rank, MarkPacking packing) {
  return static_cast<double>(std::int64_t{rank} << packing.indexBits | row);
}

inline std::int32_t markedRow(double entry, MarkPacking packing) {
  return static_cast<std::int32_t>(static_cast<std::int64_t>(entry) & packing.indexMask);
}

inline std::int32_t markedRank(double entry, MarkPacking packing) {
  return static_cast<std::int32_t>(static_cast<std::int64_t>(entry) >> packing.indexBits &
                                   packing.indexMask);
}

inline bool isMarked(double entry, MarkPacking packing) {
  return entry >= packing.mark;
}

// A second-set row that falls is marked the same way while the halving runs: its row, and
// above it a mark.
struct SecondMarking {
  int rowBits;
  std::int64_t rowMask;
  double mark;
};

inline SecondMarking secondMarkingFor(std::int32_t secondRows) {
  const int indexBits = indexBitsFor(secondRows);
  return {indexBits, (std::int64_t{1} << indexBits) - 1,
          static_cast<double>(std::int64_t{1} << indexBits)};
}

#endif
