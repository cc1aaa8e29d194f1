#include "viewer/days/history_day.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "viewer/html/testing/ascii_lower_fold.h"

namespace corvane {
namespace {

std::vector<std::string> Listed(const std::vector<ListedDay>& days) {
  std::vector<std::string> out;
  for (const ListedDay& d : days) out.push_back(d.day.date + " " + d.day.user + "/" + d.day.buddy);
  return out;
}

std::vector<ListedDay> Days(std::initializer_list<HistoryDay> days) {
  std::vector<ListedDay> listed;
  for (const HistoryDay& day : days) listed.push_back(ListedDay{day, 0, 0});
  return listed;
}

TEST(SortNewestFirst, NewestDateFirstThenUserThenBuddyIgnoringCase) {
  std::vector<ListedDay> days = Days({
      {"alice", "bob", "2002-06-12 [Wednesday]"},
      {"Zed", "amy", "2002-06-14 [Friday]"},
      {"alice", "Carl", "2002-06-14 [Friday]"},
      {"alice", "bob", "2002-06-14 [Friday]"},
      {"Bert", "ernie", "2003-01-01 [Wednesday]"},
      {"bert", "ernie", "2002-06-14 [Friday]"},
  });
  SortNewestFirst(days, AsciiLowerFold());
  EXPECT_EQ(Listed(days), (std::vector<std::string>{
                              "2003-01-01 [Wednesday] Bert/ernie",
                              "2002-06-14 [Friday] alice/bob",
                              "2002-06-14 [Friday] alice/Carl",
                              "2002-06-14 [Friday] bert/ernie",
                              "2002-06-14 [Friday] Zed/amy",
                              "2002-06-12 [Wednesday] alice/bob",
                          }));
}

TEST(SortNewestFirst, NamesEqualButForCaseKeepOneOrder) {
  std::vector<ListedDay> a = Days({{"bob", "x", "d"}, {"Bob", "x", "d"}, {"BOB", "x", "d"}});
  std::vector<ListedDay> b = {a[2], a[0], a[1]};
  SortNewestFirst(a, AsciiLowerFold());
  SortNewestFirst(b, AsciiLowerFold());
  EXPECT_EQ(Listed(a), Listed(b));
  EXPECT_EQ(a[0].day.user, "BOB");
}

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
