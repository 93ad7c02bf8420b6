#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "host/gateway/result_pages.h"
#include "tests/support/gateway_fixture.h"
#include "tests/support/mapping_flags.h"

namespace {

using Values = std::vector<double>;

class ParetomaskGateway : public GatewayTest {
 protected:
  ParetomaskGateway() : GatewayTest("paretomask") {}
};

// The example from the documentation: A = [1 3; 3 1], B = [2 2; 1 3; 0 5; 2 3].
TEST_F(ParetomaskGateway, TwoMatricesAreJudgedAcrossEachOther) {
  const mxArray* a = arrays_.matrix(2, 2, {1, 3, 3, 1});
  const mxArray* b = arrays_.matrix(4, 2, {2, 1, 0, 2, 2, 3, 5, 3});
  const GatewayCall result = call(2, {a, b});
  ASSERT_EQ(result.status, 0) << result.message;
  EXPECT_EQ(valuesOf(result.outputs[0]), (Values{1, 1}));
  EXPECT_EQ(valuesOf(result.outputs[1]), (Values{1, 0, 1, 0}));
  EXPECT_EQ(mxGetN(result.outputs[0]), 1u);
}

#if defined(__linux__)
// Flag vectors of several megabytes come back as they would without the advice, and the
// whole 2 MiB stretches inside each are advised to take huge pages.
TEST_F(ParetomaskGateway, LargeFlagVectorsAreExactAndTheirInteriorsAdvisedForHugePages) {
  const std::int32_t m = 600000;
  Values ascending(m);
  Values above(m);
  for (std::int32_t r = 0; r < m; ++r) {
    ascending[static_cast<std::size_t>(r)] = r;
    above[static_cast<std::size_t>(r)] = m + r;
  }
  const GatewayCall result =
      call(2, {arrays_.matrix(m, 1, ascending), arrays_.matrix(m, 1, above)});
  ASSERT_EQ(result.status, 0);
  Values onlyFirst(m, 0.0);
  onlyFirst[0] = 1.0;
  EXPECT_EQ(valuesOf(result.outputs[0]), onlyFirst);
  EXPECT_EQ(valuesOf(result.outputs[1]), Values(m, 0.0));
  if (!systemTakesHugePageAdvice()) GTEST_SKIP() << "this system has no huge pages to advise";
  for (const mxArray* flags : {result.outputs[0], result.outputs[1]}) {
    const AddressSpan span =
        wholeHugePages(reinterpret_cast<std::uintptr_t>(mxGetPr(flags)), sizeof(double) * m);
    ASSERT_LT(span.begin, span.end);
    EXPECT_TRUE(advisedForHugePages(span.begin));
    EXPECT_TRUE(advisedForHugePages(span.end - 1));
  }
}
#endif

TEST_F(ParetomaskGateway, OneMatrixGivesOneColumnOfFlags) {
  const GatewayCall result = call(1, {arrays_.matrix(4, 2, {1, 2, 2, 1, 2, 1, 2, 2})});
  ASSERT_EQ(result.status, 0);
  EXPECT_EQ(mxGetM(result.outputs[0]), 4u);
  EXPECT_EQ(mxGetN(result.outputs[0]), 1u);
  EXPECT_EQ(valuesOf(result.outputs[0]), (Values{1, 1, 0, 0}));
}

// Slot 1 is filled for zero or one requested outputs; with two inputs the flags of B are
// still computed (A's result depends on them) but never stored in a slot not provided.
TEST_F(ParetomaskGateway, FewerOutputsFillOnlyProvidedSlots) {
  const mxArray* a = arrays_.matrix(1, 2, {2, 2});
  const mxArray* b = arrays_.matrix(2, 2, {1, 3, 1, 3});
  for (int nlhs : {0, 1}) {
    const GatewayCall result = call(nlhs, {a, b});
    ASSERT_EQ(result.status, 0);
    ASSERT_EQ(result.outputs.size(), 1u);
    EXPECT_EQ(valuesOf(result.outputs[0]), (Values{0})) << "nlhs " << nlhs;
  }
  const GatewayCall single = call(0, {a});
  EXPECT_EQ(valuesOf(single.outputs[0]), (Values{1}));
}

TEST_F(ParetomaskGateway, OneInputNeverTouchesTheSecondSlot) {
  const GatewayCall result = call(2, {arrays_.matrix(1, 1, {5})});
  ASSERT_EQ(result.status, 0);
  EXPECT_EQ(result.outputs[1], unwrittenSlot());
}

TEST_F(ParetomaskGateway, InputsAfterTheSecondAreIgnored) {
  const mxArray* a = arrays_.matrix(2, 2, {1, 3, 3, 1});
  const mxArray* b = arrays_.matrix(4, 2, {2, 1, 0, 2, 2, 3, 5, 3});
  const mxArray* otherWidth = arrays_.ofClass(standinChar, 1, 7);
  const GatewayCall result = call(2, {a, b, otherWidth});
  ASSERT_EQ(result.status, 0) << result.message;
  EXPECT_EQ(valuesOf(result.outputs[0]), (Values{1, 1}));
  EXPECT_EQ(valuesOf(result.outputs[1]), (Values{1, 0, 1, 0}));
}

TEST_F(ParetomaskGateway, EmptyInputsGiveEmptyFlags) {
  const GatewayCall none = call(1, {arrays_.matrix(0, 3)});
  ASSERT_EQ(none.status, 0);
  EXPECT_EQ(mxGetM(none.outputs[0]), 0u);
  EXPECT_EQ(mxGetN(none.outputs[0]), 1u);

  const mxArray* a = arrays_.matrix(2, 2, {1, 3, 3, 1});
  const GatewayCall emptyB = call(2, {a, arrays_.matrix(0, 2)});
  ASSERT_EQ(emptyB.status, 0);
  EXPECT_EQ(valuesOf(emptyB.outputs[0]), (Values{1, 1}));
  EXPECT_EQ(mxGetM(emptyB.outputs[1]), 0u);
  EXPECT_EQ(mxGetN(emptyB.outputs[1]), 1u);
}

// Input counts are checked before the width, the width before the output count.
TEST_F(ParetomaskGateway, CountMessagesInOrderOfPrecedence) {
  const mxArray* twoCols = arrays_.matrix(1, 2);
  const mxArray* threeCols = arrays_.matrix(1, 3);
  struct Case {
    int nlhs;
    std::vector<const mxArray*> inputs;
    const char* message;
  };
  const std::vector<Case> cases = {
      {1, {}, "Not enough input arguments."},
      {3, {}, "Not enough input arguments."},
      {1, {twoCols, threeCols}, "The number of columns must agree"},
      {3, {twoCols, threeCols}, "The number of columns must agree"},
      {3, {twoCols, threeCols, twoCols}, "The number of columns must agree"},
      {3, {twoCols}, "Too many output arguments."},
      {3, {twoCols, twoCols}, "Too many output arguments."},
  };
  for (const Case& c : cases) {
    const GatewayCall result = call(c.nlhs, c.inputs);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(result.outputs[0], unwrittenSlot()) << "an output exists after an error";
  }
}

// Column counts are compared as the host reports them, before any narrowing: 2^32 + 2
// columns against 2 must not pass as equal.
TEST_F(ParetomaskGateway, WidthsAreComparedUnnarrowed) {
  const std::size_t wide = (std::size_t{1} << 32) + 2;
  const GatewayCall result = call(1, {arrays_.unbacked(1, wide), arrays_.matrix(1, 2)});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.message, "The number of columns must agree");
}

TEST_F(ParetomaskGateway, RefusesInputsThatAreNotRealFullDouble) {
  const mxArray* good = arrays_.matrix(2, 2, {1, 2, 3, 4});
  const std::vector<const mxArray*> wrong = {
      arrays_.ofClass(standinSingle, 2, 2),       arrays_.ofClass(standinInt32, 2, 2),
      arrays_.ofClass(standinLogical, 2, 2),      arrays_.ofClass(standinUint8, 2, 2),
      arrays_.ofClass(standinDouble, 2, 2, true), arrays_.ofClass(standinDouble, 2, 2, false, true),
  };
  for (const mxArray* bad : wrong) {
    const GatewayCall first = call(1, {bad});
    EXPECT_EQ(first.status, 1);
    EXPECT_EQ(first.identifier, "paretomask:notRealDouble");
    EXPECT_EQ(first.message, "Input 1 must be a real, full double matrix.");
    const GatewayCall second = call(2, {good, bad});
    EXPECT_EQ(second.identifier, "paretomask:notRealDouble");
    EXPECT_EQ(second.message, "Input 2 must be a real, full double matrix.");
    EXPECT_EQ(second.outputs[0], unwrittenSlot());
  }
  // Argument-count messages still take precedence over the class check.
  EXPECT_EQ(call(3, {wrong[0]}).message, "Too many output arguments.");
}

TEST_F(ParetomaskGateway, RefusesCountsBeyondThe32BitRange) {
  const std::size_t tooMany = std::size_t{1} << 31;
  for (const mxArray* big : {arrays_.unbacked(tooMany, 1), arrays_.unbacked(1, tooMany)}) {
    const GatewayCall result = call(1, {big});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.identifier, "paretomask:tooLarge");
    EXPECT_EQ(result.outputs[0], unwrittenSlot());
  }
}

// Whichever of the two flag vectors the host fails to make, the call ends in an error and
// no output is left behind.
TEST_F(ParetomaskGateway, ConstructorFailureIsAnErrorWithNoOutput) {
  const mxArray* a = arrays_.matrix(2, 2, {1, 3, 3, 1});
  for (int successes : {0, 1}) {
    standinFailCreationAfter(successes);
    const GatewayCall result = call(2, {a, a});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.identifier, "paretomask:outOfMemory");
    EXPECT_EQ(result.outputs[0], unwrittenSlot());
  }
  standinFailCreationAfter(-1);
}

}  // namespace
