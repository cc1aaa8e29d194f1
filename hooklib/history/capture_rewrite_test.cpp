#include "hooklib/history/capture_rewrite.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "hooklib/history/testing/capture_rewrite_oracle.h"

namespace corvane {
namespace {

const std::string kImageOpen = "<FONT SIZE=1><B>[";
const std::string kImageClose = "]</B></FONT>";
const std::string kCleared = "<FONT SIZE=2><B>(IM Window Cleared)</B></FONT>";

std::string Repeat(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

// Checks the result against the expected text and against the literal steps.
void ExpectRewrite(const std::string& html, const std::string& expected) {
  EXPECT_EQ(RewriteConversation(html), expected) << "input: " << html;
  EXPECT_EQ(RewriteConversationStepByStep(html), expected) << "input: " << html;
}

TEST(RewriteConversation, LeavesPlainConversationAlone) {
  ExpectRewrite("", "");
  ExpectRewrite("<HTML><BODY>hi <B>there</B></BODY></HTML>",
                "<HTML><BODY>hi <B>there</B></BODY></HTML>");
}

TEST(RewriteConversation, CutsAtTheFirstBinaryMarker) {
  ExpectRewrite("hello<BINARY>junk<BINARY>more", "hello");
  ExpectRewrite("<BINARY>everything", "");
  ExpectRewrite("hello<BINARY", "hello<BINARY");
  ExpectRewrite("<IMG x<BINARY>>", kImageOpen + "IMG x");
}

TEST(RewriteConversation, ShowsAnImageTagAsSmallBoldText) {
  ExpectRewrite("a<IMG SRC=\"x.gif\">b",
                "a" + kImageOpen + "IMG SRC=\"x.gif\"" + kImageClose + "b");
}

TEST(RewriteConversation, RewritesTwoImageTagsInARow) {
  ExpectRewrite("<IMG A><IMG B>",
                kImageOpen + "IMG A" + kImageClose + kImageOpen + "IMG B" + kImageClose);
}

TEST(RewriteConversation, ImageTagWithoutClosingBracketGetsItsOpeningOnly) {
  ExpectRewrite("x<IMG SRC", "x" + kImageOpen + "IMG SRC");
  ExpectRewrite("<IMG A> <IMG B", kImageOpen + "IMG A" + kImageClose + " " + kImageOpen + "IMG B");
}

TEST(RewriteConversation, ImageTagInsideAnImageTagClosesInsideTheFirstClosing) {
  // The second tag's search finds the '>' of "</B>" that the first tag's
  // closing inserted.
  ExpectRewrite("<IMG <IMG >", kImageOpen + "IMG " + kImageOpen + "IMG ]</B]</B></FONT></FONT>");
  ExpectRewrite("<IMG<IMG<IMG>>", kImageOpen + "IMG" + kImageOpen + "IMG" + kImageOpen +
                                      "IMG]</B]</B]</B></FONT></FONT></FONT>>");
}

TEST(RewriteConversation, ManyTagsClosingOnOneBracketNest) {
  const int tags = 300;
  ExpectRewrite(
      Repeat("<IMG", tags) + ">",
      Repeat(kImageOpen + "IMG", tags) + Repeat("]</B", tags) + ">" + Repeat("</FONT>", tags));
}

TEST(RewriteConversation, SearchesAreCaseSensitive) {
  ExpectRewrite("<img src=x><!-- c --><body bgcolor=\"#ffffff\"><BR>",
                "<img src=x><FONT SIZE=1> c </FONT><body bgcolor=\"#ffffff\"><BR>");
  ExpectRewrite("<!-- c -- >", "<FONT SIZE=1> c -- >");
}

TEST(RewriteConversation, ShowsACommentAsSmallText) {
  ExpectRewrite("a<!-- note -->b", "a<FONT SIZE=1> note </FONT>b");
  ExpectRewrite("<!---->", "<FONT SIZE=1></FONT>");
}

TEST(RewriteConversation, CommentWithoutEndRunsToTheEndOfTheText) {
  ExpectRewrite("a<!-- note", "a<FONT SIZE=1> note");
  ExpectRewrite("--> a<!-- note", "--> a<FONT SIZE=1> note");
}

TEST(RewriteConversation, CommentEndSearchStartsPastTheOpening) {
  // The "--" of the opening is replaced before the search, so "<!-->" does
  // not close itself.
  ExpectRewrite("<!-->", "<FONT SIZE=1>>");
  ExpectRewrite("<!--->", "<FONT SIZE=1>->");
  ExpectRewrite("<!--> x -->", "<FONT SIZE=1>> x </FONT>");
}

TEST(RewriteConversation, CommentEndThatOverlapsALaterOpeningDestroysIt) {
  ExpectRewrite("<!-- a <!-->", "<FONT SIZE=1> a <!</FONT>");
  ExpectRewrite("<!-- a <!--->", "<FONT SIZE=1> a <!-</FONT>");
  ExpectRewrite("<!-- a <!--> b -->", "<FONT SIZE=1> a <!</FONT> b -->");
}

TEST(RewriteConversation, NestedCommentsShareOneEnd) {
  ExpectRewrite("<!-- <!-- -->", "<FONT SIZE=1> <FONT SIZE=1> </FONT>");
  ExpectRewrite("<!-- <!-- --> -->", "<FONT SIZE=1> <FONT SIZE=1> </FONT> </FONT>");
}

TEST(RewriteConversation, ImagesAreRewrittenBeforeComments) {
  // The image closes on the '>' of "-->", so the comment finds no end.
  ExpectRewrite("<IMG <!-- x -->", kImageOpen + "IMG <FONT SIZE=1> x --]</B></FONT>");
  ExpectRewrite("<!-- <IMG x -->", "<FONT SIZE=1> " + kImageOpen + "IMG x --]</B></FONT>");
}

TEST(RewriteConversation, MarksABodyTagFollowedByALineBreak) {
  ExpectRewrite("<BODY BGCOLOR=\"#ffffff\"><BR>hi",
                "<BODY BGCOLOR=\"#ffffff\">" + kCleared + "<BR>hi");
  ExpectRewrite("<BODY BGCOLOR=\"#ffffff\"><BR>", "<BODY BGCOLOR=\"#ffffff\">" + kCleared + "<BR>");
}

TEST(RewriteConversation, MarksEveryClearedBody) {
  const std::string body = "<BODY BGCOLOR=\"#00ff00\">";
  ExpectRewrite(body + "<BR>a" + body + "b" + body + "<BR>",
                body + kCleared + "<BR>a" + body + "b" + body + kCleared + "<BR>");
}

TEST(RewriteConversation, BodyTagFollowedByAnythingElseIsNotMarked) {
  ExpectRewrite("<BODY BGCOLOR=\"#ffffff\">hi<BR>", "<BODY BGCOLOR=\"#ffffff\">hi<BR>");
  ExpectRewrite("<BODY BGCOLOR=\"#ffffff\" TEXT=\"#000000\"><BR>",
                "<BODY BGCOLOR=\"#ffffff\" TEXT=\"#000000\"><BR>");
  ExpectRewrite("<BODY BGCOLOR=\"#fff\"><BR>", "<BODY BGCOLOR=\"#fff\"><BR>");
}

TEST(RewriteConversation, BodyTagAtTheEndIsNotMarked) {
  ExpectRewrite("<BODY BGCOLOR=\"#ffffff\">", "<BODY BGCOLOR=\"#ffffff\">");
  ExpectRewrite("<BODY BGCOLOR=\"#ffffff\"><BR", "<BODY BGCOLOR=\"#ffffff\"><BR");
  ExpectRewrite("<BODY BGCOLOR=\"#ff", "<BODY BGCOLOR=\"#ff");
}

TEST(RewriteConversation, BodyTagInsideTheSkippedColourIsNotSeen) {
  // The search goes on 24 characters after a match, past a second tag that
  // starts within them.
  const std::string text = "<BODY BGCOLOR=\"#<BODY BGCOLOR=\"#ffffff\"><BR>";
  ExpectRewrite(text, text);
}

TEST(RewriteConversation, CommentTurnedVisibleCanRevealAClearedBody) {
  ExpectRewrite("<!--<BODY BGCOLOR=\"#ffffff\"><BR>-->",
                "<FONT SIZE=1><BODY BGCOLOR=\"#ffffff\">" + kCleared + "<BR></FONT>");
}

TEST(RewriteConversation, BodyTagFollowedByAnImageIsNotMarked) {
  ExpectRewrite("<BODY BGCOLOR=\"#ffffff\"><IMG a><BR>",
                "<BODY BGCOLOR=\"#ffffff\">" + kImageOpen + "IMG a" + kImageClose + "<BR>");
}

TEST(RewriteConversation, KeepsNulCharacters) {
  const std::string text("a\0<IMG\0>\0<!--\0-->", 17);
  const std::string expected = std::string("a\0", 2) + kImageOpen + std::string("IMG\0", 4) +
                               kImageClose + std::string("\0<FONT SIZE=1>\0</FONT>", 22);
  ExpectRewrite(text, expected);
}

// Texts made of the pieces the rewrite looks for, so that tags, comments and
// body marks overlap and nest in every way.
std::string RandomConversation(std::mt19937& random) {
  static const std::vector<std::string> kPieces = {
      "<IMG",      ">",    "<!--",     "-->", "<BODY BGCOLOR=\"#",
      "ffffff\">", "<BR>", "<BINARY>", "<",   "!",
      "-",         "a",    "Z",        " ",   "\"",
      "IMG",       "BR>",
  };
  std::uniform_int_distribution<int> length(0, 40);
  std::uniform_int_distribution<std::size_t> piece(0, kPieces.size() - 1);
  std::uniform_int_distribution<int> binaryOdds(0, 9);
  std::string text;
  for (int n = length(random); n > 0; --n) {
    const std::string& next = kPieces[piece(random)];
    // Keep most texts free of the marker, which would cut them short.
    if (next == "<BINARY>" && binaryOdds(random) != 0) continue;
    text += next;
  }
  return text;
}

TEST(RewriteConversation, MatchesTheLiteralStepsOnRandomTexts) {
  std::mt19937 random(20020614);
  for (int i = 0; i < 50000; ++i) {
    const std::string text = RandomConversation(random);
    const std::string rewritten = RewriteConversation(text);
    ASSERT_EQ(rewritten, RewriteConversationStepByStep(text)) << "input: " << text;
    ASSERT_EQ(rewritten.find("<!--"), std::string::npos) << "input: " << text;
  }
}

}  // namespace
}  // namespace corvane
