#include "testhost/host_texts.h"

#include <gtest/gtest.h>

namespace testhost {
namespace {

const std::string kBobHello =
    "<FONT COLOR=\"#0000ff\"><B>bob</B>:</FONT> <FONT FACE=\"Arial\" SIZE=2 "
    "COLOR=\"#000000\">hello</FONT>";

TEST(ConversationHtml, MessageOfABuddyHasABlueName) {
  EXPECT_EQ(MessageHtml("bob", "hello", false), kBobHello);
}

TEST(ConversationHtml, OwnMessageHasARedName) {
  EXPECT_EQ(MessageHtml("alice", "hi", true),
            "<FONT COLOR=\"#ff0000\"><B>alice</B>:</FONT> <FONT FACE=\"Arial\" SIZE=2 "
            "COLOR=\"#000000\">hi</FONT>");
}

TEST(ConversationHtml, SenderIsEscapedTextIsKeptAsMarkup) {
  std::string html = MessageHtml("a<b>&c", "<IMG SRC=\"smile.gif\"><!-- x -->", false);
  EXPECT_NE(html.find("<B>a&lt;b&gt;&amp;c</B>"), std::string::npos);
  EXPECT_NE(html.find("<IMG SRC=\"smile.gif\"><!-- x --></FONT>"), std::string::npos);
}

TEST(ConversationHtml, FirstMessageStartsADocument) {
  EXPECT_EQ(AppendMessage("", "bob", "hello", false),
            "<HTML><BODY BGCOLOR=\"#ffffff\">" + kBobHello + "</BODY></HTML>");
}

TEST(ConversationHtml, LaterMessagesAreSeparatedByBreaks) {
  std::string text = AppendMessage(AppendMessage("", "bob", "hello", false), "bob", "hello", false);
  EXPECT_EQ(text,
            "<HTML><BODY BGCOLOR=\"#ffffff\">" + kBobHello + "<BR>" + kBobHello + "</BODY></HTML>");
}

TEST(ConversationHtml, ClearedWindowKeepsItsBreakAndEndsWithHtmlClosing) {
  EXPECT_EQ(ClearedConversation(), "<HTML><BODY BGCOLOR=\"#ffffff\"><BR></BODY></HTML>");
  EXPECT_EQ(AppendMessage(ClearedConversation(), "bob", "hello", false),
            "<HTML><BODY BGCOLOR=\"#ffffff\"><BR>" + kBobHello + "</BODY></HTML>");
}

TEST(ConversationHtml, ForeignTextIsKeptAndTheMessageAppended) {
  EXPECT_EQ(AppendMessage("old", "bob", "hello", false), "old<BR>" + kBobHello + "</BODY></HTML>");
}

TEST(ConversationHtml, LongConversationsKeepGrowing) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text = AppendMessage(text, "bob", std::string(80, 'x'), false);
  EXPECT_GT(text.size(), 65536u);
  EXPECT_EQ(text.rfind("</HTML>"), text.size() - 7);
  EXPECT_EQ(text.find("<HTML>"), 0u);
}

TEST(ConversationHtml, DisplayTailDropsTagsAndBreaksLines) {
  std::string text =
      AppendMessage(AppendMessage("", "bob", "a &amp; b", false), "me", "<B>x</B> &lt;3", true);
  EXPECT_EQ(DisplayTail(text, 10), "bob: a & b\nme: x <3");
}

TEST(ConversationHtml, DisplayTailKeepsTheLastLines) {
  EXPECT_EQ(DisplayTail("1<BR>2<br>3<BR>4", 2), "3\n4");
  EXPECT_EQ(DisplayTail("1<BR>2", 5), "1\n2");
  EXPECT_EQ(DisplayTail("a &unknown; <unclosed", 5), "a &unknown; ");
}

TEST(HostNames, TitlesAndScreenName) {
  EXPECT_EQ(BuddyListTitle("alice"), "alice's Buddy List");
  EXPECT_EQ(ImWindowTitle("bob"), "bob - Instant Message");
  EXPECT_EQ(ChatWindowTitle("Lounge"), "Lounge - Chat");
  EXPECT_EQ(ScreenNameFromTitle("alice's Buddy List"), "alice");
  EXPECT_EQ(ScreenNameFromTitle("chris' Buddy List"), "chris");
  EXPECT_EQ(ScreenNameFromTitle("a' b's c"), "a' b");
  EXPECT_EQ(ScreenNameFromTitle("Buddy List"), "Buddy List");
}

}  // namespace
}  // namespace testhost
