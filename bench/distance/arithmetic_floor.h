#ifndef BENCH_DISTANCE_ARITHMETIC_FLOOR_H
#define BENCH_DISTANCE_ARITHMETIC_FLOOR_H

// The arithmetic floor of the distance table for each tier: the time its lane-steps
// (d = a - b; s = s + d * d, unfused) take when every operand is already in a register and
// eight independent sums of the tier's vector width hide the latency of the additions.

#include <cstdint>

#include "common/tier.h"

// Runs `steps` rounds of eight vector steps of `tier` (two lanes for baseline, four for
// AVX2, eight for AVX-512) and returns a value that depends on every sum. Only where
// tierRunsHere(tier) may it be called.
double runArithmeticFloor(Tier tier, std::int64_t steps);

// Lanes per vector step of `tier`.
int floorLanes(Tier tier);

#endif
