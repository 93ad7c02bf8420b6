#ifndef DOMINANCE_BIT_SORT_H
#define DOMINANCE_BIT_SORT_H

// Sorts doubles holding non-negative integers below 2^53 by their bits from `lowBit` up;
// entries equal in those bits end in no particular order among themselves. In place.
void sortByHighBits(double* begin, double* end, int lowBit);

#endif
