#include "viewer/export/safe_day_html.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

std::string Safe(const std::string& html) { return SafeDayHtml(html).html; }

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
  EXPECT_EQ(Safe("1 < 2 > 0 & x &amp; &lt;b&gt; &#8364;5 &#65 &#x41;"),
            "1 &lt; 2 &gt; 0 &amp; x &#38; &#60;b&#62; &#8364;5 &#65; &#65;");
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

TEST(SafeDayHtml, BlocksStartOnLinesOfTheirOwnAndTheBackgroundIsKept) {
  const SafeHtml safe = SafeDayHtml(
      "<HTML><BODY BGCOLOR=\"#ffeedd\">one</BODY></HTML>\n<HTML><BODY BGCOLOR=\"#000000\">two"
      "<BR></BODY></HTML><HTML>three");
  EXPECT_EQ(safe.html, "one\n<br>two<br>three");
  EXPECT_EQ(safe.background, "#ffeedd");
  EXPECT_EQ(SafeDayHtml("<BODY BGCOLOR=\"nonsense\">x").background, "");
}

}  // namespace
}  // namespace corvane
