#ifndef DOMINANCE_SORTS_INDEX_SLOTS_H
#define DOMINANCE_SORTS_INDEX_SLOTS_H

// A list of doubles seen as twice as many 32-bit slots, each holding a row index: a list of
// `count` entries is then both the source and the destination of a stable distribution of
// `count` row indexes. memcpy keeps the access well defined.

#include <cstdint>
#include <cstring>

inline std::uint32_t slotAt(const double* list, std::int64_t slot) {
  std::uint32_t value = 0;
  std::memcpy(&value, reinterpret_cast<const unsigned char*>(list) + 4 * slot, sizeof value);
  return value;
}

inline void setSlot(double* list, std::int64_t slot, std::uint32_t value) {
  std::memcpy(reinterpret_cast<unsigned char*>(list) + 4 * slot, &value, sizeof value);
}

#endif
