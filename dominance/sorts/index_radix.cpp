#include "dominance/sorts/index_radix.h"

#include <cstring>
#include <utility>

#include "common/no_contraction.h"
#include "common/prefetch.h"
#include "dominance/sorts/bit_width.h"
#include "dominance/sorts/row_order.h"

namespace {

// Three digits of nine bits: 6 KiB of counts, all filled in one read. Four digits of eight
// bits took a quarter longer on 100000 rows.
constexpr int kDigitBits = 9;
constexpr int kBuckets = 1 << kDigitBits;
constexpr int kMostDigits = 3;

// The flag vector seen as twice as many 32-bit slots; memcpy keeps the access well defined.
std::uint32_t slotAt(const double* vector, std::int64_t slot) {
  std::uint32_t value = 0;
  std::memcpy(&value, reinterpret_cast<const unsigned char*>(vector) + 4 * slot, sizeof value);
  return value;
}

void setSlot(double* vector, std::int64_t slot, std::uint32_t value) {
  std::memcpy(reinterpret_cast<unsigned char*>(vector) + 4 * slot, &value, sizeof value);
}

// Enough leading bits to separate almost every pair of rows: a dozen more than the bits of
// the count, so that ties, which the caller resolves by reading the rows, stay rare.
int wantedDigits(std::int32_t count, int differingBits) {
  int bits = 12 + indexBitsFor(count);
  if (bits > differingBits) bits = differingBits;
  const int digits = (bits + kDigitBits - 1) / kDigitBits;
  return digits < kMostDigits ? digits : kMostDigits;
}

}  // namespace

// Slots [0, count) and [count, 2 count) of the list take turns as source and destination,
// one pass per digit from the lowest; a pass whose digit is the same in every row is skipped.
LeadingKeyOrder sortByLeadingKey(const MatrixView& m, double* list, std::int32_t count) {
  const double* first = columnData(m, 0);
  std::uint64_t common = ~std::uint64_t{0};
  std::uint64_t seen = 0;
  // Each slot i is written only after entry i, which covers it, has been read.
  for (std::int32_t i = 0; i < count; ++i) {
    const auto row = static_cast<std::uint32_t>(list[i]);
    const std::uint64_t key = orderKey(first[row]);
    common &= key;
    seen |= key;
    setSlot(list, i, row);
  }
  const std::uint64_t differing = count > 1 ? common ^ seen : 0;
  int lowBit = 63;
  int digits = 0;
  if (differing != 0) {
    const int top = highestBit(differing);
    digits = wantedDigits(count, top + 1);
    lowBit = top + 1 - digits * kDigitBits;
    if (lowBit < 0) lowBit = 0;
  }
  std::int32_t counts[kMostDigits][kBuckets] = {};
  for (std::int32_t i = 0; i < count; ++i) {
    const std::uint64_t key = orderKey(first[slotAt(list, i)]) >> lowBit;
    for (int d = 0; d < digits; ++d) ++counts[d][key >> (d * kDigitBits) & (kBuckets - 1)];
  }
  std::int64_t source = 0;
  std::int64_t target = count;
  for (int d = 0; d < digits; ++d) {
    std::int32_t* next = counts[d];
    if (next[(orderKey(first[slotAt(list, source)]) >> lowBit) >> (d * kDigitBits) &
             (kBuckets - 1)] == count) {
      continue;
    }
    std::int32_t start = 0;
    for (int b = 0; b < kBuckets; ++b) {
      const std::int32_t size = next[b];
      next[b] = start;
      start += size;
    }
    const int shift = lowBit + d * kDigitBits;
    for (std::int32_t i = 0; i < count; ++i) {
      if (i + kPrefetchAhead < count) {
        prefetchRead(first + slotAt(list, source + i + kPrefetchAhead));
      }
      const std::uint32_t row = slotAt(list, source + i);
      const auto digit = static_cast<unsigned>(orderKey(first[row]) >> shift & (kBuckets - 1));
      setSlot(list, target + next[digit]++, row);
    }
    std::swap(source, target);
  }
  // Into doubles in place, from the last slot down: each write covers only slots already
  // read. Converting from the upper half directly, front to back, measured far slower than
  // copying it down first.
  if (source != 0) {
    for (std::int32_t i = 0; i < count; ++i) setSlot(list, i, slotAt(list, source + i));
  }
  for (std::int32_t i = count - 1; i >= 0; --i) list[i] = slotAt(list, i);
  return {count, lowBit};
}
