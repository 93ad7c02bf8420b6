// Frozen copy of the dominance passes as they stood before the divide and conquer for many
// columns: the baseline the benchmark measures the shipped passes against. Never shipped.
#ifndef BENCH_DOMINANCE_FROZEN_BIT_SORT_H
#define BENCH_DOMINANCE_FROZEN_BIT_SORT_H

namespace frozen {

// Sorts doubles holding non-negative integers below 2^53 by their bits from `lowBit` up;
// entries equal in those bits end in no particular order among themselves. In place.
void sortByHighBits(double* begin, double* end, int lowBit);

}  // namespace frozen

#endif
