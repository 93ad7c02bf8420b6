#include "host/gateway/result_pages.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

constexpr std::uintptr_t kMiB = std::uintptr_t{1} << 20;

// Only whole 2 MiB stretches that lie inside the result are advised: advice on a stretch
// the result shares with other memory would reach memory the result does not own.
TEST(WholeHugePages, OnlyStretchesInsideTheResult) {
  const std::uintptr_t base = 512 * kMiB;
  const AddressSpan exact = wholeHugePages(base, 4 * kMiB);
  EXPECT_EQ(exact.begin, base);
  EXPECT_EQ(exact.end, base + 4 * kMiB);
  const AddressSpan inner = wholeHugePages(base + 8, 6 * kMiB);
  EXPECT_EQ(inner.begin, base + 2 * kMiB);
  EXPECT_EQ(inner.end, base + 6 * kMiB);
  const AddressSpan shortOfOne = wholeHugePages(base + 8, 2 * kMiB);
  EXPECT_EQ(shortOfOne.begin, shortOfOne.end);
  const AddressSpan crossing = wholeHugePages(base + kMiB, 2 * kMiB);
  EXPECT_EQ(crossing.begin, crossing.end);
  const AddressSpan none = wholeHugePages(base, 0);
  EXPECT_EQ(none.begin, none.end);
}

}  // namespace
