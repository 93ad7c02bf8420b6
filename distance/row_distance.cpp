#include "distance/row_distance.h"

#include "common/no_contraction.h"
#include "common/tier.h"
#include "distance/row_distance_variants.h"

// The processor is asked on every call: there is no state to cache it in, and the
// question costs far less than the smallest table.
void fillRowDistances(const double* data, std::int32_t cols, std::int32_t rows, double* out) {
#if TIER_HAS_X86
  switch (detectTier()) {
    case Tier::avx512:
      return fillRowDistancesAvx512(data, cols, rows, out);
    case Tier::avx2:
      return fillRowDistancesAvx2(data, cols, rows, out);
    case Tier::baseline:
      break;
  }
  fillRowDistancesBaseline(data, cols, rows, out);
#else
  fillRowDistancesPlain(data, cols, rows, out);
#endif
}
