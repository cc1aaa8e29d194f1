#include "viewer/history_tree/date_range.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ReadDateRange, EitherEndMayBeEmptyAndBothAreIncluded) {
  DateRange range;
  ASSERT_EQ(ReadDateRange(" 2004-03-01 ", "2004-05-31", range), DateRangeFault::kNone);
  EXPECT_TRUE(range.HoldsDayText("2004-03-01 [Monday]"));
  EXPECT_TRUE(range.HoldsDayText("2004-05-31 [Monday]"));
  EXPECT_FALSE(range.HoldsDayText("2004-06-01 [Tuesday]"));
  EXPECT_FALSE(range.HoldsDayText("2004-02-29 [Sunday]"));
  // A file at the date level that names no date lies in no bounded range.
  EXPECT_FALSE(range.HoldsDayText("notes"));

  ASSERT_EQ(ReadDateRange("", "\t", range), DateRangeFault::kNone);
  EXPECT_FALSE(range.Bounded());
  EXPECT_TRUE(range.HoldsDayText("notes"));
  ASSERT_EQ(ReadDateRange("", "2004-01-01", range), DateRangeFault::kNone);
  EXPECT_TRUE(range.HoldsDayText("1999-12-31 [Friday]"));
}

TEST(ReadDateRange, RefusesWhatIsNoDateNamingTheField) {
  DateRange range;
  EXPECT_EQ(ReadDateRange("2003-02-30", "", range), DateRangeFault::kFrom);
  EXPECT_EQ(DateRangeComplaint(DateRangeFault::kFrom, range),
            "From: enter a date as yyyy-mm-dd, or leave it empty.");
  EXPECT_EQ(ReadDateRange("", "2003-2-3", range), DateRangeFault::kTo);
  EXPECT_EQ(DateRangeComplaint(DateRangeFault::kTo, range),
            "To: enter a date as yyyy-mm-dd, or leave it empty.");
  EXPECT_EQ(ReadDateRange("2005-02-01", "2005-01-01", range), DateRangeFault::kReversed);
  EXPECT_EQ(DateRangeComplaint(DateRangeFault::kReversed, range),
            "From 2005-02-01 is after To 2005-01-01.");
}

}  // namespace
}  // namespace corvane
