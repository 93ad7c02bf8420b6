#ifndef DOMINANCE_SORTS_DIGIT_SORT_H
#define DOMINANCE_SORTS_DIGIT_SORT_H

// Sorts doubles holding non-negative integers below 2^53 by their bits from `lowBit` up;
// entries equal in those bits end in no particular order among themselves. In place, with
// at most about 9 KiB of stack (keys below 2^53 nest at most seven passes deep).
void sortByHighDigits(double* begin, double* end, int lowBit);

#endif
