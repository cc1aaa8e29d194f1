#include "viewer/export/safe_day_html.h"

#include <gtest/gtest.h>

#include <string>

#include "common/testing/model_ansi_to_utf8.h"
#include "common/testing/test_code_pages.h"

namespace corvane {
namespace {

std::string Safe(const std::string& html) {
  ModelAnsiToUtf8 latin1(kSingleByteCodePage);
  return SafeDayHtml(html, latin1).html;
}

TEST(SafeDayHtml, KeepsTheFormattingTheHostWrites) {
  EXPECT_EQ(Safe("<FONT COLOR=\"#0000ff\"><B>bob</B>:</FONT> <FONT FACE=\"Arial\" SIZE=2 "
                 "BACK=\"#ffff00\">hi<BR>there</FONT><HR><I>i</I><U>u</U><S>s</S><P>p"),
            "<font color=\"#0000ff\"><b>bob</b>:</font> <font face=\"Arial\" size=\"2\" "
            "style=\"background-color:#ffff00\">hi<br>there</font><hr><i>i</i><u>u</u><s>s</s>"
            "<p>p");
}

TEST(SafeDayHtml, DropsScriptsStylesAndEverythingThatRunsOrLoads) {
  EXPECT_EQ(Safe("a<SCRIPT>alert(1)</SCRIPT>b<STYLE>body{}</STYLE>c"), "abc");
  EXPECT_EQ(Safe("<B onclick=\"x()\" STYLE=\"color:red\">x</B>"), "<b>x</b>");
  EXPECT_EQ(Safe("<FONT FACE=\"Arial\" onmouseover=\"x()\" COLOR=\"javascript:x\">y</FONT>"),
            "<font face=\"Arial\">y</font>");
  EXPECT_EQ(Safe("<FONT SIZE=\" +2 onmouseover=x()\">y</FONT><FONT SIZE=\"big\">z</FONT>"),
            "<font size=\"+2\">y</font><font>z</font>");
  EXPECT_EQ(Safe("<IMG SRC=\"http://x/y.gif\" onerror=\"x()\"><IFRAME SRC=\"http://x\"></IFRAME>"
                 "<OBJECT DATA=\"x\"></OBJECT><LINK HREF=\"x.css\"><BASE HREF=\"http://x/\">"
                 "<META HTTP-EQUIV=\"refresh\"><BODY BACKGROUND=\"http://x/b.gif\">t"),
            "t");
  EXPECT_EQ(Safe("<!-- 09:00:00-1a2b -->\r\n<!DOCTYPE x>z"), "\r\nz");
}

TEST(SafeDayHtml, KeepsOnlyLinksTheViewOpens) {
  EXPECT_EQ(Safe("<A HREF=\" http://example.com/a?b=1&amp;c=&quot;x&quot;\">x</A>"),
            "<a href=\"http://example.com/a?b=1&amp;c=&quot;x&quot;\" target=\"_blank\" "
            "rel=\"noopener noreferrer\">x</a>");
  EXPECT_EQ(
      Safe("<A HREF=\"MAILTO:bob@example.com\">m</A>"),
      "<a href=\"MAILTO:bob@example.com\" target=\"_blank\" rel=\"noopener noreferrer\">m</a>");
  for (const char* bad : {"javascript:alert(1)", "jav&#x09;ascript:x", "file:///c:/x",
                          "data:text/html,x", "vbscript:x", "//evil.example/"}) {
    EXPECT_EQ(Safe(std::string("<A HREF=\"") + bad + "\">x</A>"), "<a>x</a>") << bad;
  }
}

TEST(SafeDayHtml, TextStaysTextAndReferencesStayWhole) {
  EXPECT_EQ(Safe("1 < 2 > 0 & x &amp; &lt;b&gt; &#8364;5 &#65 &#x41; \"q\" caf\xE9"),
            "1 &lt; 2 &gt; 0 &amp; x &#38; &#60;b&#62; &#8364;5 &#65; &#65; &quot;q&quot; "
            "caf\xC3\xA9");
  // A reference the view drops is dropped; one that names no character
  // becomes the replacement character.
  EXPECT_EQ(Safe("a&#1;b&#xD800;c"), "ab&#65533;c");
  // Control characters go as the view drops them; line ends stay.
  EXPECT_EQ(Safe(std::string("x\x01\x7fy\r\nz\0w", 9)), "xy\r\nzw");
  // A '<' that opens no tag is text.
  EXPECT_EQ(Safe("a <b and <3"), "a &lt;b and &lt;3");
}

TEST(SafeDayHtml, ClosesWhatItOpensAndMendsMisnesting) {
  EXPECT_EQ(Safe("<B>bold<I>both"), "<b>bold<i>both</i></b>");
  EXPECT_EQ(Safe("<B>b<I>bi</B>i</I>"), "<b>b<i>bi</i></b><i>i</i>");
  EXPECT_EQ(Safe("</B>x</FONT>"), "x");
  EXPECT_EQ(Safe("<FONT COLOR=red><B>x</FONT>y</B>"),
            "<font color=\"#ff0000\"><b>x</b></font><b>y</b>");
}

// Each start tag is written at most three times, and an end tag opens
// again at most eight of the elements inside its own: deeper or oftener
// misnested formatting is flattened, so the output stays within a few
// times the day's length.
TEST(SafeDayHtml, FlattensMisnestingTooDeepOrTooOften) {
  EXPECT_EQ(Safe("<B><I><S><U>x</B>1</I>2</S>3</U>"),
            "<b><i><s><u>x</u></s></i></b><i><s><u>1</u></s></i><s><u>2</u></s>3");
  std::string nine = "<B>";
  std::string written = "<b>";
  for (char c = '1'; c <= '9'; ++c) {
    nine += std::string("<FONT FACE=") + c + '>';
    written += std::string("<font face=\"") + c + "\">";
  }
  written += "x";
  for (int k = 0; k < 9; ++k) written += "</font>";
  written += "</b>";
  for (char c = '1'; c <= '8'; ++c) written += std::string("<font face=\"") + c + "\">";
  written += "y";
  for (int k = 0; k < 8; ++k) written += "</font>";
  EXPECT_EQ(Safe(nine + "x</B>y"), written);
}

TEST(SafeDayHtml, BlocksStartOnLinesOfTheirOwnAndTheBackgroundIsKept) {
  ModelAnsiToUtf8 latin1(kSingleByteCodePage);
  const SafeHtml safe = SafeDayHtml(
      "<HTML><BODY BGCOLOR=\"#ffeedd\">one</BODY></HTML>\n<HTML><BODY BGCOLOR=\"#000000\">two"
      "<BR></BODY></HTML><HTML>three",
      latin1);
  EXPECT_EQ(safe.html, "one\n<br>two<br>three");
  EXPECT_EQ(safe.background, "#ffeedd");
  EXPECT_EQ(SafeDayHtml("<BODY BGCOLOR=\"nonsense\">x", latin1).background, "");
}

// A face of "a&#129;" is "a" and a lead byte of every double-byte code
// page; escaped before converting, the quote that ends the attribute became
// its trail and the text after it attributes of the tag.
TEST(SafeDayHtml, NoLeadByteTakesAQuoteOrABracketThatEndsAValueOrATag) {
  const std::string hostile =
      "<FONT FACE=\"a&#129;\">\" tabindex=1 autofocus onfocus=\"alert(1)\" x=\"</FONT>"
      "\x81<B>b\x81</B>\x81&amp;";
  for (const TestCodePage& codePage : kDoubleByteCodePages) {
    ModelAnsiToUtf8 toUtf8(codePage.lead);
    EXPECT_EQ(SafeDayHtml(hostile, toUtf8).html,
              "<font face=\"a\xC2\x81\">&quot; tabindex=1 autofocus onfocus=&quot;alert(1)&quot; "
              "x=&quot;</font>\xC2\x81<b>b\xC2\x81</b>\xC2\x81&#38;")
        << codePage.number;
  }
}

}  // namespace
}  // namespace corvane
