#include "viewer/search/search_order.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

std::vector<std::string> Listed(const std::vector<SearchDay>& days) {
  std::vector<std::string> out;
  for (const SearchDay& d : days) out.push_back(d.date + " " + d.user + "/" + d.buddy);
  return out;
}

TEST(SortNewestFirst, NewestDateFirstThenUserThenBuddyIgnoringCase) {
  std::vector<SearchDay> days = {
      {"alice", "bob", "2002-06-12 [Wednesday]"},  {"Zed", "amy", "2002-06-14 [Friday]"},
      {"alice", "Carl", "2002-06-14 [Friday]"},    {"alice", "bob", "2002-06-14 [Friday]"},
      {"Bert", "ernie", "2003-01-01 [Wednesday]"}, {"bert", "ernie", "2002-06-14 [Friday]"},
  };
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
  std::vector<SearchDay> a = {{"bob", "x", "d"}, {"Bob", "x", "d"}, {"BOB", "x", "d"}};
  std::vector<SearchDay> b = {a[2], a[0], a[1]};
  SortNewestFirst(a, AsciiLowerFold());
  SortNewestFirst(b, AsciiLowerFold());
  EXPECT_EQ(Listed(a), Listed(b));
  EXPECT_EQ(a[0].user, "BOB");
}

}  // namespace
}  // namespace corvane
