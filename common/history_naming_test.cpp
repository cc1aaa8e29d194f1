#include "history_naming.h"

#include <gtest/gtest.h>

#include <climits>

namespace corvane {
namespace {

TEST(MakeSessionKey, FormatsTimeAndHandle) {
  EXPECT_EQ(MakeSessionKey(9, 5, 7, 0x1a04b2), "09:05:07-1a04b2");
  EXPECT_EQ(MakeSessionKey(0, 0, 0, 0), "00:00:00-0");
  EXPECT_EQ(MakeSessionKey(23, 59, 59, 0xABCDEF), "23:59:59-abcdef");
}

TEST(MakeSessionKey, LongestRealKeyFillsTheBuffer) {
  const std::string key = MakeSessionKey(23, 59, 59, 0xffffffffu);
  EXPECT_EQ(key, "23:59:59-ffffffff");
  EXPECT_EQ(key.size(), kSessionKeyCapacity - 1);
}

TEST(MakeSessionKey, CutsWhatDoesNotFit) {
  EXPECT_EQ(MakeSessionKey(100, 0, 0, 0xffffffffu), "100:00:00-fffffff");
  EXPECT_EQ(MakeSessionKey(-1, -1, -1, 0x12345678u), "-1:-1:-1-12345678");
  EXPECT_EQ(MakeSessionKey(INT_MIN, 0, 0, 1), "-2147483648:00:00");
}

TEST(SessionKeyLine, WrapsTheKeyInAComment) {
  EXPECT_EQ(SessionKeyLine("09:05:07-1a04b2"), "<!-- 09:05:07-1a04b2 -->");
  EXPECT_EQ(SessionKeyLine(""), "<!--  -->");
}

TEST(EnglishWeekdayName, CountsFromSunday) {
  EXPECT_EQ(EnglishWeekdayName(0), "Sunday");
  EXPECT_EQ(EnglishWeekdayName(1), "Monday");
  EXPECT_EQ(EnglishWeekdayName(2), "Tuesday");
  EXPECT_EQ(EnglishWeekdayName(3), "Wednesday");
  EXPECT_EQ(EnglishWeekdayName(4), "Thursday");
  EXPECT_EQ(EnglishWeekdayName(5), "Friday");
  EXPECT_EQ(EnglishWeekdayName(6), "Saturday");
  EXPECT_EQ(EnglishWeekdayName(7), "");
  EXPECT_EQ(EnglishWeekdayName(-1), "");
}

TEST(DayFileName, NamesTheDayWithItsWeekday) {
  EXPECT_EQ(DayFileName(2002, 6, 14, 5), "2002-06-14 [Friday].html");
  EXPECT_EQ(DayFileName(2024, 12, 1, 0), "2024-12-01 [Sunday].html");
  EXPECT_EQ(DayFileName(987, 1, 2, 3), "0987-01-02 [Wednesday].html");
}

TEST(DayFileName, PadsButNeverCuts) {
  EXPECT_EQ(DayFileName(65535, 123, 456, 6), "65535-123-456 [Saturday].html");
  EXPECT_EQ(DayFileName(INT_MIN, INT_MIN, INT_MIN, 3),
            "-2147483648--2147483648--2147483648 [Wednesday].html");
}

TEST(DayFileName, NoNameForAnUnknownWeekday) {
  EXPECT_EQ(DayFileName(2002, 6, 14, 7), "");
  EXPECT_EQ(DayFileName(2002, 6, 14, -1), "");
}

}  // namespace
}  // namespace corvane
