#ifndef DISTANCE_ROW_DISTANCE_VARIANTS_H
#define DISTANCE_ROW_DISTANCE_VARIANTS_H

// The builds of fillRowDistances for each instruction-set tier. All write the same bits;
// fillRowDistances picks one per call. Declared apart so that tests can check each one.

#include <cstdint>

#include "common/tier_target.h"

// Portable C++, for processors without a vector build.
void fillRowDistancesPlain(const double* data, std::int32_t cols, std::int32_t rows, double* out);

#if TIER_HAS_X86
void fillRowDistancesBaseline(const double* data, std::int32_t cols, std::int32_t rows,
                              double* out);
// Only on processors with AVX2, resp. AVX-512 F/DQ/BW/VL (see detectTier).
void fillRowDistancesAvx2(const double* data, std::int32_t cols, std::int32_t rows, double* out);
void fillRowDistancesAvx512(const double* data, std::int32_t cols, std::int32_t rows, double* out);
#endif

#endif
