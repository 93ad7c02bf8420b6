#ifndef DOMINANCE_ACROSS_CORNER_STAIRCASE_H
#define DOMINANCE_ACROSS_CORNER_STAIRCASE_H

// The entries met so far by a sweep, reduced to those minimal in two keys: enough to tell the
// lowest second key among those whose first key is <= a given one. The steps live at the start
// of their own list, entries[0 .. size): by strictly rising first key and strictly falling
// second. Behind them lie the entries the sweep has passed and the staircase no longer needs,
// then those still to come; an entry joins at the place the sweep has reached, so the steps
// never outgrow what was passed. Included by the .cpp files of this folder only.

#include <algorithm>
#include <cstdint>

namespace {

template <class FirstKey, class SecondKey>
struct CornerStaircase {
  FirstKey firstKey;  // double firstKey(double entry)
  SecondKey secondKey;
  double* entries;
  std::int32_t size = 0;

  // The first step whose first key is above y; without branching on the data, which a
  // random staircase would mispredict at every step.
  double* firstAbove(double y) const {
    if (size == 0) return entries;
    double* base = entries;
    for (std::int32_t n = size; n > 1;) {
      const std::int32_t half = n / 2;
      base = firstKey(base[half]) <= y ? base + half : base;
      n -= half;
    }
    return base + (firstKey(*base) <= y ? 1 : 0);
  }

  // The step of lowest second key among those whose first key is <= y, or none.
  const double* lowestUpTo(double y) const {
    const double* const after = firstAbove(y);
    return after != entries ? after - 1 : nullptr;
  }

  // Adds the entry at entries[at], at or behind the end of the steps, unless a step is <= it
  // in both keys; it then replaces the steps it is <= in both.
  void add(std::int32_t at) {
    const double entry = entries[at];
    const double y = firstKey(entry);
    const double z = secondKey(entry);
    double* const after = firstAbove(y);
    if (after != entries && secondKey(after[-1]) <= z) return;
    double* from = after;
    if (from != entries && firstKey(from[-1]) == y) --from;
    double* to = after;
    double* const end = entries + size;
    while (to != end && secondKey(*to) >= z) ++to;
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

template <class FirstKey, class SecondKey>
CornerStaircase<FirstKey, SecondKey> cornerStaircase(FirstKey firstKey, SecondKey secondKey,
                                                     double* entries) {
  return CornerStaircase<FirstKey, SecondKey>{firstKey, secondKey, entries};
}

}  // namespace

#endif
