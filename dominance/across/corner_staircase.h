#ifndef DOMINANCE_ACROSS_CORNER_STAIRCASE_H
#define DOMINANCE_ACROSS_CORNER_STAIRCASE_H

// The rows met so far by a sweep in sorted order, reduced to those minimal in the second and
// third columns: enough to tell whether any of them is <= a given pair of values in both.
// The steps live at the start of their own list, entries[0 .. size): by strictly rising second
// column and strictly falling third. Behind them lie the entries the sweep has passed and the
// staircase no longer needs, then those still to come; an entry joins at the place the sweep
// has reached, so the steps never outgrow what was passed. Included by the .cpp files of this
// folder only.

#include <algorithm>
#include <cstdint>

namespace {

template <class RowOf>
struct CornerStaircase {
  const double* second;  // the columns of the matrix the entries list rows of
  const double* third;
  RowOf rowOf;
  double* entries;
  std::int32_t size = 0;

  double secondOf(double entry) const { return second[rowOf(entry)]; }
  double thirdOf(double entry) const { return third[rowOf(entry)]; }

  // The first step whose second column is above y; without branching on the data, which a
  // random staircase would mispredict at every step.
  double* firstAbove(double y) const {
    if (size == 0) return entries;
    double* base = entries;
    for (std::int32_t n = size; n > 1;) {
      const std::int32_t half = n / 2;
      base = secondOf(base[half]) <= y ? base + half : base;
      n -= half;
    }
    return base + (secondOf(*base) <= y ? 1 : 0);
  }

  // Some step is <= (y, z): the last one with second column <= y has the lowest third.
  bool covers(double y, double z) const {
    const double* const after = firstAbove(y);
    return after != entries && thirdOf(after[-1]) <= z;
  }

  // Adds the entry at entries[at], at or behind the end of the steps, unless a step is <= it
  // in both columns; it then replaces the steps it is <= in both.
  void add(std::int32_t at) {
    const double entry = entries[at];
    const double y = secondOf(entry);
    const double z = thirdOf(entry);
    double* const after = firstAbove(y);
    if (after != entries && thirdOf(after[-1]) <= z) return;
    double* from = after;
    if (from != entries && secondOf(from[-1]) == y) --from;
    double* to = after;
    double* const end = entries + size;
    while (to != end && thirdOf(*to) >= z) ++to;
    const auto replaced = static_cast<std::int32_t>(to - from);
    const auto place = static_cast<std::int32_t>(from - entries);
    if (replaced == 0) {
      // The first passed entry moves to where the new step was.
      entries[at] = entries[size];
      std::copy_backward(from, end, end + 1);
      entries[place] = entry;
      ++size;
    } else {
      entries[at] = entries[place];
      entries[place] = entry;
      std::rotate(from + 1, to, end);
      size -= replaced - 1;
    }
  }
};

template <class RowOf>
CornerStaircase<RowOf> cornerStaircase(const double* second, const double* third, RowOf rowOf,
                                       double* entries) {
  return CornerStaircase<RowOf>{second, third, rowOf, entries};
}

}  // namespace

#endif
