#ifndef TESTS_SUPPORT_GATEWAY_FIXTURE_H
#define TESTS_SUPPORT_GATEWAY_FIXTURE_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/host_calls.h"

// A plug-in loaded into the stand-in host. Every call is checked for writes past the
// provided slots, and every test for host arrays left alive once its outputs are freed.
class GatewayTest : public ::testing::Test {
 protected:
  explicit GatewayTest(const std::string& plugin) : gateway_(loadGateway(plugin)) {}
  void SetUp() override { liveBefore_ = standinLiveArrays(); }
  void TearDown() override {
    arrays_.destroyAll();
    EXPECT_EQ(standinLiveArrays(), liveBefore_) << "host arrays leaked";
  }
  GatewayCall call(int nlhs, const std::vector<const mxArray*>& inputs) {
    GatewayCall result = callGateway(gateway_, nlhs, inputs);
    EXPECT_TRUE(result.guardSlotsIntact) << "wrote past the provided output slots";
    arrays_.adopt(result.outputs);
    return result;
  }

  StandinGateway gateway_;
  int liveBefore_ = 0;
  HostArrays arrays_;
};

#endif
