#ifndef TESTS_DOMINANCE_EVERY_TIER_H
#define TESTS_DOMINANCE_EVERY_TIER_H

// Tests run once per tier of kTiers, named after it, and skipped where the processor lacks
// its instruction set: a test file derives its own fixture from EveryTier (gtest keys
// instantiations by fixture name), writes TEST_P(Fixture, ...) and INSTANTIATE_EVERY_TIER.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "common/tier.h"

inline void PrintTo(Tier tier, std::ostream* out) {
  *out << tierName(tier);
}

class EveryTier : public ::testing::TestWithParam<Tier> {
 protected:
  void SetUp() override {
    if (!tierRunsHere(GetParam())) GTEST_SKIP() << "this processor lacks the instruction set";
  }
};

inline std::string tierTestName(const ::testing::TestParamInfo<Tier>& info) {
  return tierName(info.param);
}

#define INSTANTIATE_EVERY_TIER(Fixture) \
  INSTANTIATE_TEST_SUITE_P(Tiers, Fixture, ::testing::ValuesIn(kTiers), tierTestName)

#endif
