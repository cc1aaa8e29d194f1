#include "hooklib/launch/history_viewer_arguments.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(HistoryViewerArguments, QuotesTheUserAndTheBuddy) {
  EXPECT_EQ(HistoryViewerArguments("alice", std::nullopt), "\"alice\"");
  EXPECT_EQ(HistoryViewerArguments("alice", "bob"), "\"alice\" \"bob\"");
  EXPECT_EQ(HistoryViewerArguments("", std::nullopt), "\"\"");
  EXPECT_EQ(HistoryViewerArguments("", ""), "\"\" \"\"");
}

TEST(HistoryViewerArguments, CutsToSixtySevenCharacters) {
  const std::string user(40, 'u');
  const std::string buddy(30, 'b');
  const std::string cut = HistoryViewerArguments(user, buddy);
  EXPECT_EQ(cut.size(), 67u);
  EXPECT_EQ(cut, "\"" + user + "\" \"" + buddy.substr(0, 23));

  // 62 characters of names together still fit with both quotes.
  const std::string fits = HistoryViewerArguments(user, std::string(22, 'b'));
  EXPECT_EQ(fits.size(), 67u);
  EXPECT_EQ(fits.back(), '"');

  // The Buddy List's form of the longest screen name is never cut.
  const std::string longest(41, 'u');
  EXPECT_EQ(HistoryViewerArguments(longest, std::nullopt), "\"" + longest + "\"");
}

}  // namespace
}  // namespace corvane
