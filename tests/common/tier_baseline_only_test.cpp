// Built with TIER_BASELINE_ONLY, as for toolchains that cannot build the wider tiers safely.
#include <gtest/gtest.h>

#include "common/tier.h"

TEST(BaselineOnlyBuild, RunsNoWiderTier) {
  EXPECT_EQ(detectTier(), Tier::baseline);
  EXPECT_FALSE(tierRunsHere(Tier::avx2));
  EXPECT_FALSE(tierRunsHere(Tier::avx512));
}
