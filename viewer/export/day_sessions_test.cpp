#include "viewer/export/day_sessions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "viewer/html/view_text.h"

namespace corvane {
namespace {

// A day file of two blocks as the hook library writes them.
const std::string kTwoBlocks =
    "<!-- 09:05:00-10a4 -->\r\n<HTML><BODY>bob: hi<BR>alice: hello</BODY></HTML>\r\n"
    "<!-- 21:30:15-2b -->\r\n<BASE TARGET=\"_new\">\r\n<HTML><BODY>bob: late<BR>"
    "alice: night</BODY></HTML><BR>\r\n";

TEST(FindKeyLines, FindsEachBlocksKeyLineAndItsTime) {
  const std::vector<KeyLine> keys = FindKeyLines(kTwoBlocks);
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].offset, 0u);
  EXPECT_EQ(keys[0].time, "09:05:00");
  EXPECT_EQ(kTwoBlocks.substr(keys[1].offset, 20), "<!-- 21:30:15-2b -->");
  EXPECT_EQ(keys[1].time, "21:30:15");
}

TEST(FindKeyLines, OnlyWholeLinesAreKeyLines) {
  // Not at a line's start, not closed on its line, or a key without a time.
  const std::vector<KeyLine> keys = FindKeyLines(
      "x <!-- 09:00:00-1 -->\n<!-- 09:00:00-1\n-->\n<!-- odd key -->\n"
      "<!-- 9:00:00-1 -->\n<!-- 10:00:00 -->");
  ASSERT_EQ(keys.size(), 3u);
  EXPECT_EQ(keys[0].time, "");
  EXPECT_EQ(keys[1].time, "");
  EXPECT_EQ(keys[2].time, "10:00:00");
}

TEST(ViewTextWithSessions, GivesTheViewsTextAndEachBlocksFirstLine) {
  std::string text;
  std::vector<SessionStart> sessions;
  ViewTextWithSessions(kTwoBlocks, text, sessions);
  std::string plain;
  ViewTextOf(kTwoBlocks, plain);
  EXPECT_EQ(text, plain);
  EXPECT_EQ(text, "bob: hi\nalice: hello\nbob: late\nalice: night\n");
  ASSERT_EQ(sessions.size(), 2u);
  EXPECT_EQ(sessions[0].firstLine, 1u);
  EXPECT_EQ(sessions[0].time, "09:05:00");
  EXPECT_EQ(sessions[1].firstLine, 3u);
  EXPECT_EQ(sessions[1].time, "21:30:15");
}

TEST(ViewTextWithSessions, ABlockThatContinuesALineBeginsAtTheNext) {
  // The second block's text runs on in the first's last line, as the view
  // shows it: that line is the first block's.
  const std::string html =
      "<!-- 09:00:00-1 -->\r\nfirst\r\n<!-- 10:00:00-2 -->\r\nsame line<BR>next";
  std::string text;
  std::vector<SessionStart> sessions;
  ViewTextWithSessions(html, text, sessions);
  EXPECT_EQ(text, "first same line\nnext");
  ASSERT_EQ(sessions.size(), 2u);
  EXPECT_EQ(sessions[1].firstLine, 2u);
  // A file with no key line has no sessions.
  ViewTextWithSessions("<B>x</B>", text, sessions);
  EXPECT_EQ(text, "x");
  EXPECT_TRUE(sessions.empty());
}

}  // namespace
}  // namespace corvane
