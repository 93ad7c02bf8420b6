#include "dominance/sorts/digit_sort.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

#include "common/no_contraction.h"
#include "dominance/sorts/bit_width.h"

namespace {

constexpr int kDigitBits = 8;
constexpr int kBuckets = 1 << kDigitBits;
constexpr std::ptrdiff_t kInsertionSortUpTo = 16;

// The raw bits, with no conversion. Non-negative doubles order like their bit patterns, and
// two integer-valued doubles below 2^53 whose bit patterns agree from `lowBit` up share the
// exponent, so their integers agree from `lowBit` up too: sorting by these bits sorts the
// integers by theirs.
std::uint64_t bitsOf(double v) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  return bits;
}

// Integer-valued doubles order as their integers, so small ranges compare values directly.
void insertionSort(double* begin, double* end) {
  if (end - begin < 2) return;
  for (double* p = begin + 1; p < end; ++p) {
    const double v = *p;
    double* hole = p;
    for (; hole > begin && v < hole[-1]; --hole) *hole = hole[-1];
    *hole = v;
  }
}

struct Digit {
  int shift;
  std::uint64_t mask;
  unsigned of(double v) const { return static_cast<unsigned>(bitsOf(v) >> shift & mask); }
  int blocks() const { return static_cast<int>(mask) + 1; }
};

// The counting table of a pass lives only while it distributes, not while the blocks are
// sorted.
#if defined(_MSC_VER)
#define DIGIT_SORT_NOINLINE __declspec(noinline)
#elif defined(__GNUC__)
#define DIGIT_SORT_NOINLINE __attribute__((noinline))
#else
#define DIGIT_SORT_NOINLINE
#endif

// Moves every entry into the block of its digit, blocks in digit order; `ends` receives
// where each block ends. Each round sends every entry not yet placed to the next free slot
// of its block and takes that slot's entry in exchange: the exchanges of one round are
// independent, so the processor overlaps them, where following one cycle at a time would
// wait on every load.
DIGIT_SORT_NOINLINE void distribute(double* begin, double* end, Digit digit, std::int32_t* ends) {
  std::int32_t next[kBuckets] = {};
  for (const double* p = begin; p < end; ++p) ++next[digit.of(*p)];
  std::int32_t start = 0;
  for (int b = 0; b < digit.blocks(); ++b) {
    const std::int32_t size = next[b];
    next[b] = start;
    start += size;
    ends[b] = start;
  }
  for (bool open = true; open;) {
    open = false;
    for (int b = 0; b < digit.blocks(); ++b) {
      for (std::int32_t p = next[b]; p < ends[b]; ++p) {
        std::swap(begin[p], begin[next[digit.of(begin[p])]++]);
      }
      open |= next[b] < ends[b];
    }
  }
}

// Sorts a range whose entries agree on every bit above `top`.
void sortFrom(double* begin, double* end, int top, int lowBit) {
  if (end - begin <= kInsertionSortUpTo) {
    if (top >= lowBit) insertionSort(begin, end);
    return;
  }
  // Small ranges take narrower digits: a block per four entries or so.
  int width = kDigitBits;
  while (width > 1 && (std::ptrdiff_t{4} << width) > end - begin) --width;
  if (width > top - lowBit + 1) width = top - lowBit + 1;
  const Digit digit{top - width + 1, (std::uint64_t{1} << width) - 1};
  std::int32_t ends[kBuckets];
  distribute(begin, end, digit, ends);
  top -= width;
  if (top < lowBit) return;
  std::int32_t from = 0;
  for (int b = 0; b < digit.blocks(); ++b) {
    if (ends[b] - from > 1) sortFrom(begin + from, begin + ends[b], top, lowBit);
    from = ends[b];
  }
}

}  // namespace

// An MSD radix sort, eight bits per pass, nesting at most seven deep, each level keeping
// 1 KiB of block ends on the stack. Bits shared by all
// entries (the sign and most of the exponent, typically) are skipped at the start.
void sortByHighDigits(double* begin, double* end, int lowBit) {
  std::uint64_t common = ~std::uint64_t{0};
  std::uint64_t seen = 0;
  for (const double* p = begin; p < end; ++p) {
    common &= bitsOf(*p);
    seen |= bitsOf(*p);
  }
  const std::uint64_t differing = (common ^ seen) >> lowBit;
  if (differing == 0) return;
  sortFrom(begin, end, highestBit(differing) + lowBit, lowBit);
}
