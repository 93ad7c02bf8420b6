#include "distance/row_distance.h"

#include "common/no_contraction.h"
#include "distance/row_distance_tiers.h"

// Each tier's fill, defined in its own file; only this table names them.
#if TIER_HAS_X86
void fillRowDistancesBaseline(const double* data, std::int32_t cols, std::int32_t rows,
                              double* out);
void fillRowDistancesAvx2(const double* data, std::int32_t cols, std::int32_t rows, double* out);
void fillRowDistancesAvx512(const double* data, std::int32_t cols, std::int32_t rows, double* out);
#endif

namespace {

// Indexed by Tier, in the order of kTiers.
#if TIER_HAS_X86
constexpr RowDistanceFill kFillByTier[] = {fillRowDistancesBaseline, fillRowDistancesAvx2,
                                           fillRowDistancesAvx512};
#else
constexpr RowDistanceFill kFillByTier[] = {fillRowDistancesPlain, fillRowDistancesPlain,
                                           fillRowDistancesPlain};
#endif
static_assert(sizeof kFillByTier / sizeof kFillByTier[0] == kTierCount, "one fill per tier");

}  // namespace

RowDistanceFill rowDistanceFillFor(Tier tier) {
  return kFillByTier[static_cast<int>(tier)];
}

// The processor is asked on every call: there is no state to cache it in, and the
// question costs far less than the smallest table.
void fillRowDistances(const double* data, std::int32_t cols, std::int32_t rows, double* out) {
  rowDistanceFillFor(detectTier())(data, cols, rows, out);
}
