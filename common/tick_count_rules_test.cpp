#include "common/tick_count_rules.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ExtendTickCount, TheFirstReadingIsTheCountItself) {
  EXPECT_EQ(ExtendTickCount(0, 0), 0u);
  EXPECT_EQ(ExtendTickCount(0, 123456), 123456u);
  EXPECT_EQ(ExtendTickCount(0, 0xFFFFFFFFu), 0xFFFFFFFFu);
}

TEST(ExtendTickCount, GrowsByTheMillisecondsSinceTheLastReading) {
  EXPECT_EQ(ExtendTickCount(1000, 1000), 1000u);
  EXPECT_EQ(ExtendTickCount(1000, 1250), 1250u);
  EXPECT_EQ(ExtendTickCount(0x300000010ull, 0x20), 0x300000020ull);
}

TEST(ExtendTickCount, GoesOnPastTheWrapOfTheThirtyTwoBitCount) {
  EXPECT_EQ(ExtendTickCount(0xFFFFFFF0u, 0x5), 0x100000005ull);
  EXPECT_EQ(ExtendTickCount(0xFFFFFFFFu, 0x0), 0x100000000ull);
  EXPECT_EQ(ExtendTickCount(0x1FFFFFFFEull, 0x3), 0x200000003ull);
  // Over many wraps, one reading a day.
  uint64_t count = 0;
  uint32_t now = 0;
  for (int day = 0; day < 500; ++day) {
    now += 86400000u;
    count = ExtendTickCount(count, now);
  }
  EXPECT_EQ(count, 500ull * 86400000u);
}

TEST(ExtendTickCount, AReadingOfTheSameMillisecondKeepsTheCount) {
  EXPECT_EQ(ExtendTickCount(0x100000005ull, 0x5), 0x100000005ull);
}

}  // namespace
}  // namespace corvane
