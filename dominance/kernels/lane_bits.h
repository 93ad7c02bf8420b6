#ifndef DOMINANCE_KERNELS_LANE_BITS_H
#define DOMINANCE_KERNELS_LANE_BITS_H

// Bit helpers for the per-lane masks of the vector scans (at most eight lanes), free of
// compiler built-ins so that every compiler takes the same path.

// Lanes below the lowest set lane of a non-zero mask.
inline unsigned lanesBelowLowest(unsigned mask) {
  return (mask & (~mask + 1u)) - 1u;
}

// Index of the lowest set lane of a non-zero mask.
inline int lowestLane(unsigned mask) {
  int lane = 0;
  while ((mask & 1u) == 0) {
    mask >>= 1;
    ++lane;
  }
  return lane;
}

inline int laneCount(unsigned mask) {
  mask = (mask & 0x55u) + (mask >> 1 & 0x55u);
  mask = (mask & 0x33u) + (mask >> 2 & 0x33u);
  return static_cast<int>((mask & 0x0Fu) + (mask >> 4 & 0x0Fu));
}

// Wide rows rarely stay comparable for long, so the vector scans check whether every lane
// is already decided (neither direction holds, so no rule can fire), but only every few
// columns: a check per column mispredicts more than it saves.
inline bool laneCheckAfterColumn(int column) {
  return column >= 7 && (column & 3) == 3;
}

#endif
