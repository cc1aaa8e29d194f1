#include "viewer/days/count_text.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(CountText, SeparatesThousandsWithCommasAndCountsDays) {
  EXPECT_EQ(GroupedNumber(0), "0");
  EXPECT_EQ(GroupedNumber(999), "999");
  EXPECT_EQ(GroupedNumber(1000), "1,000");
  EXPECT_EQ(GroupedNumber(1234567), "1,234,567");
  EXPECT_EQ(GroupedNumber(100000), "100,000");
  EXPECT_EQ(DaysText(0), "0 days");
  EXPECT_EQ(DaysText(1), "1 day");
  EXPECT_EQ(DaysText(1234567), "1,234,567 days");
}

}  // namespace
}  // namespace corvane
