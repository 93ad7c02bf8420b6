#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "host/gateway/result_pages.h"
#include "tests/distance/literal_table.h"
#include "tests/support/gateway_fixture.h"
#include "tests/support/mapping_flags.h"

namespace {

class RowdistGateway : public GatewayTest {
 protected:
  RowdistGateway() : GatewayTest("rowdist") {}
};

TEST_F(RowdistGateway, ThreeCollinearPointsGiveTheDocumentedTable) {
  const GatewayCall result = call(1, {arrays_.matrix(3, 2, {0, 3, 6, 0, 4, 8})});
  ASSERT_EQ(result.status, 0) << result.message;
  EXPECT_EQ(mxGetM(result.outputs[0]), 3u);
  EXPECT_EQ(mxGetN(result.outputs[0]), 3u);
  EXPECT_EQ(valuesOf(result.outputs[0]), (Values{0, 5, 10, 5, 0, 5, 10, 5, 0}));
}

// The host's table is the kernel's, bit for bit, for a shape with remainders everywhere.
TEST_F(RowdistGateway, TableMatchesAPlainLoopBitForBit) {
  const std::int32_t m = 37, n = 5;
  std::mt19937_64 rng(7);
  std::normal_distribution<double> normal;
  Values x(static_cast<std::size_t>(m * n));
  for (double& v : x) v = normal(rng);
  const GatewayCall result = call(1, {arrays_.matrix(m, n, x)});
  ASSERT_EQ(result.status, 0);
  EXPECT_TRUE(sameBits(valuesOf(result.outputs[0]), literalTable(x, m, n)));
}

#if defined(__linux__)
// A table of several megabytes comes back as it would without the advice, and the whole
// 2 MiB stretches inside it, and nothing before them, are advised to take huge pages.
TEST_F(RowdistGateway, LargeFreshTableIsExactAndItsInteriorAdvisedForHugePages) {
  const std::int32_t m = 1100, n = 3;
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<double> uniform(-1.0, 1.0);
  Values x(static_cast<std::size_t>(m * n));
  for (double& v : x) v = uniform(rng);
  const GatewayCall result = call(1, {arrays_.matrix(m, n, x)});
  ASSERT_EQ(result.status, 0);
  EXPECT_TRUE(sameBits(valuesOf(result.outputs[0]), literalTable(x, m, n)));
  const auto cells = reinterpret_cast<std::uintptr_t>(mxGetPr(result.outputs[0]));
  const AddressSpan span = wholeHugePages(cells, sizeof(double) * m * m);
  ASSERT_LT(span.begin, span.end);
  if (!systemTakesHugePageAdvice()) GTEST_SKIP() << "this system has no huge pages to advise";
  EXPECT_TRUE(advisedForHugePages(span.begin));
  EXPECT_TRUE(advisedForHugePages(span.end - 1));
  if (span.begin > cells) {
    EXPECT_FALSE(advisedForHugePages(span.begin - 1));
  }
}
#endif

TEST_F(RowdistGateway, ZeroOutputsStillFillSlotOne) {
  const GatewayCall result = call(0, {arrays_.matrix(2, 1, {1, 4})});
  ASSERT_EQ(result.status, 0);
  EXPECT_EQ(valuesOf(result.outputs[0]), (Values{0, 3, 3, 0}));
}

TEST_F(RowdistGateway, EmptyShapes) {
  const GatewayCall noRows = call(1, {arrays_.matrix(0, 4)});
  ASSERT_EQ(noRows.status, 0);
  EXPECT_EQ(mxGetM(noRows.outputs[0]), 0u);
  EXPECT_EQ(mxGetN(noRows.outputs[0]), 0u);
  const GatewayCall noCols = call(1, {arrays_.matrix(3, 0)});
  ASSERT_EQ(noCols.status, 0);
  EXPECT_EQ(valuesOf(noCols.outputs[0]), Values(9, 0.0));
}

// The input count is checked before the output count.
TEST_F(RowdistGateway, CountMessagesInOrderOfPrecedence) {
  const mxArray* x = arrays_.matrix(2, 2);
  struct Case {
    int nlhs;
    std::vector<const mxArray*> inputs;
    const char* message;
  };
  const std::vector<Case> cases = {
      {1, {}, "A single input is required."},   {1, {x, x}, "A single input is required."},
      {2, {}, "A single input is required."},   {2, {x, x}, "A single input is required."},
      {2, {x}, "A single output is required."},
  };
  for (const Case& c : cases) {
    const GatewayCall result = call(c.nlhs, c.inputs);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(result.outputs[0], unwrittenSlot());
  }
}

TEST_F(RowdistGateway, RefusesInputsThatAreNotRealFullDouble) {
  for (const mxArray* bad :
       {arrays_.ofClass(standinSingle, 3, 2), arrays_.ofClass(standinInt32, 3, 2),
        arrays_.ofClass(standinLogical, 3, 2), arrays_.ofClass(standinDouble, 3, 2, true),
        arrays_.ofClass(standinDouble, 3, 2, false, true)}) {
    const GatewayCall result = call(1, {bad});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.identifier, "rowdist:notRealDouble");
    EXPECT_EQ(result.message, "Input 1 must be a real, full double matrix.");
    EXPECT_EQ(result.outputs[0], unwrittenSlot());
  }
}

TEST_F(RowdistGateway, RefusesCountsBeyondThe32BitRangeAndConstructorFailure) {
  const std::size_t tooMany = std::size_t{1} << 31;
  for (const mxArray* big : {arrays_.unbacked(tooMany, 1), arrays_.unbacked(2, tooMany)}) {
    const GatewayCall result = call(1, {big});
    EXPECT_EQ(result.identifier, "rowdist:tooLarge");
    EXPECT_EQ(result.outputs[0], unwrittenSlot());
  }
  standinFailCreationAfter(0);
  const GatewayCall result = call(1, {arrays_.matrix(2, 2)});
  EXPECT_EQ(result.identifier, "rowdist:outOfMemory");
  EXPECT_EQ(result.outputs[0], unwrittenSlot());
}

}  // namespace
