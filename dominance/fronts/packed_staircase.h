#ifndef DOMINANCE_FRONTS_PACKED_STAIRCASE_H
#define DOMINANCE_FRONTS_PACKED_STAIRCASE_H

// A staircase of the rows minimal in two columns of one matrix, its steps packed with the
// leading bits of their first column's order key above the row (sorts/packed_keys.h), so that
// its searches compare entries without reading the matrix except where those bits tie. The
// steps live at the start of their list, entries[0 .. size): by strictly rising first column
// and strictly falling second. Behind them lie the entries the sweep has passed, whatever they
// hold, then those still to come. The within-set divide and conquer ends its last three
// columns in one, and so do the cross-set sweeps. Included by .cpp files only.

#include <algorithm>
#include <cstdint>

#include "dominance/sorts/packed_keys.h"

namespace {

struct PackedStaircase {
  const double* y;  // the first column
  const double* z;  // the second
  Packing packing;
  double* entries;
  std::int32_t size = 0;

  std::int32_t rowAt(const double* step) const { return packedRow(*step, packing); }

  // The first step whose first column is above `value`: by the packed entries without
  // branching on the data, then across the steps tying with `value` in the leading bits.
  double* firstAbove(double value) const {
    const std::int64_t prefix = keyPrefix(value, packing);
    const auto limit = static_cast<double>(prefix << packing.indexBits | packing.indexMask);
    double* after = entries;
    if (size > 0) {
      for (std::int32_t n = size; n > 1;) {
        const std::int32_t half = n / 2;
        after = after[half] <= limit ? after + half : after;
        n -= half;
      }
      after += *after <= limit ? 1 : 0;
    }
    while (after != entries && packedPrefix(after[-1], packing) == prefix &&
           y[rowAt(after - 1)] > value) {
      --after;
    }
    return after;
  }

  // Some step is <= (vy, vz): the last one with first column <= vy has the lowest second.
  bool covers(double vy, double vz) const {
    const double* const after = firstAbove(vy);
    return after != entries && z[rowAt(after - 1)] <= vz;
  }

  // Adds `row`, whose entry is entries[at] (at or behind the end of the steps), unless a step
  // is <= it in both columns; it then replaces the steps it is <= in both.
  void add(std::int32_t at, std::int32_t row) {
    const double vy = y[row];
    const double vz = z[row];
    double* const after = firstAbove(vy);
    if (after != entries && z[rowAt(after - 1)] <= vz) return;
    double* from = after;
    if (from != entries && y[rowAt(from - 1)] == vy) --from;
    double* to = after;
    double* const end = entries + size;
    while (to != end && z[rowAt(to)] >= vz) ++to;
    const auto replaced = static_cast<std::int32_t>(to - from);
    const auto place = static_cast<std::int32_t>(from - entries);
    const double step = packedEntry(y, row, packing);
    if (replaced == 0) {
      // The first passed entry moves to where the new step was.
      entries[at] = entries[size];
      std::copy_backward(from, end, end + 1);
      entries[place] = step;
      ++size;
    } else {
      entries[at] = entries[place];
      entries[place] = step;
      std::rotate(from + 1, to, end);
      size -= replaced - 1;
    }
  }
};

}  // namespace

#endif
