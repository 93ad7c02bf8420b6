#ifndef DOMINANCE_SORTS_PACKED_KEYS_H
#define DOMINANCE_SORTS_PACKED_KEYS_H

// Entries that carry a sort key with the row: the leading bits of the order key of the row's
// value in one column, above the row index, as one integer below 2^53 held exactly in a
// double. Packed entries order like the values wherever those bits differ, so the sorted
// passes sort and compare them without reading the matrix, and read it only where they tie.

#include <cstdint>

#include "dominance/sorts/bit_width.h"
#include "dominance/sorts/row_order.h"

struct Packing {
  int indexBits;
  int prefixShift;
  std::int64_t indexMask;
};

inline Packing packingFor(std::int32_t rows) {
  const int indexBits = indexBitsFor(rows);
  return {indexBits, 64 - (53 - indexBits), (std::int64_t{1} << indexBits) - 1};
}

// The integer an entry holds. Converted through signed integers: one instruction each way,
// where unsigned conversions take several.
inline std::int64_t integerOf(double entry) {
  return static_cast<std::int64_t>(entry);
}

inline std::int64_t keyPrefix(double value, Packing packing) {
  return static_cast<std::int64_t>(orderKey(value) >> packing.prefixShift);
}

inline double packedEntry(const double* values, std::int32_t row, Packing packing) {
  return static_cast<double>(keyPrefix(values[row], packing) << packing.indexBits | row);
}

inline std::int32_t packedRow(double entry, Packing packing) {
  return static_cast<std::int32_t>(integerOf(entry) & packing.indexMask);
}

inline std::int64_t packedPrefix(double entry, Packing packing) {
  return integerOf(entry) >> packing.indexBits;
}

#endif
