#include "viewer/html/html_to_view.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

constexpr Rgb kBlack{0x00, 0x00, 0x00};
constexpr Rgb kWhite{0xFF, 0xFF, 0xFF};
constexpr Rgb kBlue{0x00, 0x00, 0xFF};
constexpr Rgb kRed{0xFF, 0x00, 0x00};

// A message line as the host writes it into the conversation control.
std::string Message(const std::string& sender, const std::string& senderColour,
                    const std::string& text) {
  return "<FONT COLOR=\"" + senderColour + "\"><B>" + sender +
         "</B>:</FONT> <FONT FACE=\"Arial\" SIZE=2 COLOR=\"#000000\">" + text + "</FONT>";
}

// The runs must tile the text exactly, without empty runs or neighbours that
// could have been one.
void ExpectWellFormedRuns(const FormattedText& view) {
  std::size_t next = 0;
  for (std::size_t i = 0; i < view.runs.size(); ++i) {
    const FormatRun& run = view.runs[i];
    EXPECT_EQ(run.start, next) << "run " << i;
    EXPECT_GT(run.length, 0u) << "run " << i;
    if (i > 0) {
      EXPECT_NE(view.FormatOf(run), view.FormatOf(view.runs[i - 1])) << "run " << i;
    }
    next = run.start + run.length;
  }
  EXPECT_EQ(next, view.text.size());
}

FormattedText Convert(const std::string& html) {
  FormattedText view = ConvertHtml(html);
  ExpectWellFormedRuns(view);
  return view;
}

// The format of the first occurrence of needle in the view's text.
CharFormat FormatOf(const FormattedText& view, const std::string& needle) {
  const std::size_t at = view.text.find(needle);
  EXPECT_NE(at, std::string::npos) << needle;
  for (const FormatRun& run : view.runs) {
    if (at >= run.start && at < run.start + run.length) {
      EXPECT_LE(at + needle.size(), run.start + run.length) << needle << " spans two runs";
      return view.FormatOf(run);
    }
  }
  ADD_FAILURE() << needle << " lies in no run";
  return CharFormat{};
}

// The link target of the first occurrence of needle, empty when none.
std::string LinkOf(const FormattedText& view, const std::string& needle) {
  return view.LinkOf(FormatOf(view, needle));
}

TEST(ConvertHtml, EmptyInputGivesEmptyView) {
  const FormattedText view = Convert("");
  EXPECT_EQ(view.text, "");
  EXPECT_TRUE(view.runs.empty());
  EXPECT_FALSE(view.background);
}

TEST(ConvertHtml, CollapsesWhiteSpaceAsABrowserDoes) {
  EXPECT_EQ(Convert("  hello \t\r\n  world  ").text, "hello world");
  EXPECT_EQ(Convert("a<BR>   b  <BR>\r\n c").text, "a\nb\nc");
  EXPECT_EQ(Convert("<B>one</B> <I> two</I>").text, "one two");
}

TEST(ConvertHtml, ShowsAMessageWithTheHostsFormatting) {
  const FormattedText view = Convert("<HTML><BODY BGCOLOR=\"#ffffff\">" +
                                     Message("bob", "#0000ff", "hello") + "</BODY></HTML>");
  EXPECT_EQ(view.text, "bob: hello");
  EXPECT_EQ(view.background, kWhite);

  const CharFormat sender = FormatOf(view, "bob");
  EXPECT_TRUE(sender.bold);
  EXPECT_EQ(sender.colour, kBlue);
  EXPECT_EQ(sender.points, kDefaultPoints);
  EXPECT_EQ(sender.face, "");

  const CharFormat colon = FormatOf(view, ":");
  EXPECT_FALSE(colon.bold);
  EXPECT_EQ(colon.colour, kBlue);

  EXPECT_EQ(FormatOf(view, " "), CharFormat{});

  const CharFormat text = FormatOf(view, "hello");
  EXPECT_FALSE(text.bold);
  EXPECT_EQ(text.face, "Arial");
  EXPECT_EQ(text.points, 10);
  EXPECT_EQ(text.colour, kBlack);
}

TEST(ConvertHtml, ShowsADayFileWithTwoBlocksOnSeparateLines) {
  const std::string dayFile =
      "<!-- 09:15:02-1a2b -->\r\n"
      "<HTML><BODY BGCOLOR=\"#ffffcc\">" +
      Message("bob", "#0000ff", "hello") + "<BR>" + Message("alice", "#ff0000", "hi") +
      "</BODY></HTML>\r\n"
      "<!-- 10:01:44-3c4d -->\r\n"
      "<BASE TARGET=\"_new\">\r\n"
      "<HTML><BODY BGCOLOR=\"#ffffff\">" +
      Message("bob", "#0000ff", "back again") + "</BODY></HTML><BR>\r\n";
  const FormattedText view = Convert(dayFile);
  EXPECT_EQ(view.text, "bob: hello\nalice: hi\nbob: back again\n");
  EXPECT_EQ(view.background, (Rgb{0xFF, 0xFF, 0xCC}));
  EXPECT_EQ(FormatOf(view, "alice").colour, kRed);
  EXPECT_EQ(FormatOf(view, "back again").face, "Arial");
}

TEST(ConvertHtml, ShowsTheClearedMarkOnALineOfItsOwn) {
  const std::string dayFile =
      "<!-- 09:15:02-1a2b -->\r\n<BASE TARGET=\"_new\">\r\n"
      "<HTML><BODY BGCOLOR=\"#ffffff\">" +
      Message("bob", "#0000ff", "hello") +
      "</BODY></HTML><BR>\r\n"
      "<!-- 09:20:11-1a2b -->\r\n<BASE TARGET=\"_new\">\r\n"
      "<HTML><BODY BGCOLOR=\"#ffffff\"><FONT SIZE=2><B>(IM Window Cleared)</B></FONT><BR>" +
      Message("bob", "#0000ff", "again") + "</BODY></HTML><BR>\r\n";
  const FormattedText view = Convert(dayFile);
  EXPECT_EQ(view.text, "bob: hello\n(IM Window Cleared)\nbob: again\n");
  const CharFormat mark = FormatOf(view, "(IM Window Cleared)");
  EXPECT_TRUE(mark.bold);
  EXPECT_EQ(mark.points, 10);
}

TEST(ConvertHtml, ShowsImageTextAsSmallBoldText) {
  const FormattedText view =
      Convert("look <FONT SIZE=1><B>[IMG SRC=\"smile.gif\" ALT=\":-)\"]</B></FONT> there");
  EXPECT_EQ(view.text, "look [IMG SRC=\"smile.gif\" ALT=\":-)\"] there");
  const CharFormat image = FormatOf(view, "[IMG SRC=\"smile.gif\" ALT=\":-)\"]");
  EXPECT_TRUE(image.bold);
  EXPECT_EQ(image.points, 8);
  EXPECT_FALSE(FormatOf(view, "there").bold);
}

TEST(ConvertHtml, ShowsARewrittenCommentAsSmallText) {
  const FormattedText view = Convert("a<FONT SIZE=1> ts 09:05:07 </FONT>b");
  EXPECT_EQ(view.text, "a ts 09:05:07 b");
  EXPECT_EQ(FormatOf(view, "ts").points, 8);
}

TEST(ConvertHtml, EndOfNestedFontRestoresTheOuterFormat) {
  const FormattedText view = Convert(
      "<FONT FACE=\"Arial\" SIZE=3 COLOR=\"#ff0000\" BACK=\"#ffff00\">outer "
      "<FONT SIZE=5 COLOR=\"blue\">inner <FONT FACE=\"Courier New\">deepest</FONT> middle</FONT> "
      "again</FONT> plain");
  EXPECT_EQ(view.text, "outer inner deepest middle again plain");

  const CharFormat outer = FormatOf(view, "outer");
  EXPECT_EQ(outer.face, "Arial");
  EXPECT_EQ(outer.points, 12);
  EXPECT_EQ(outer.colour, kRed);
  EXPECT_EQ(outer.background, (Rgb{0xFF, 0xFF, 0x00}));

  const CharFormat inner = FormatOf(view, "inner");
  EXPECT_EQ(inner.face, "Arial");
  EXPECT_EQ(inner.points, 18);
  EXPECT_EQ(inner.colour, kBlue);
  EXPECT_EQ(inner.background, (Rgb{0xFF, 0xFF, 0x00}));

  EXPECT_EQ(FormatOf(view, "deepest").face, "Courier New");
  EXPECT_EQ(FormatOf(view, "deepest").points, 18);
  EXPECT_EQ(FormatOf(view, "middle"), inner);
  EXPECT_EQ(FormatOf(view, "again"), outer);
  EXPECT_EQ(FormatOf(view, "plain"), CharFormat{});
}

TEST(ConvertHtml, HonoursEachStyleTag) {
  const FormattedText view =
      Convert("<B>b</B><I>i</I><U>u</U><S>s</S><STRIKE>k</STRIKE><STRONG>g</STRONG><EM>e</EM>");
  EXPECT_EQ(view.text, "biuskge");
  EXPECT_TRUE(FormatOf(view, "b").bold);
  EXPECT_TRUE(FormatOf(view, "i").italic);
  EXPECT_TRUE(FormatOf(view, "u").underline);
  EXPECT_TRUE(FormatOf(view, "s").strike);
  EXPECT_TRUE(FormatOf(view, "k").strike);
  EXPECT_TRUE(FormatOf(view, "g").bold);
  EXPECT_TRUE(FormatOf(view, "e").italic);
}

TEST(ConvertHtml, ReadsTagsAndAttributesInAnyCase) {
  const FormattedText view = Convert("<font color=red size='+2'><b>x</B></Font>y");
  EXPECT_EQ(view.text, "xy");
  EXPECT_TRUE(FormatOf(view, "x").bold);
  EXPECT_EQ(FormatOf(view, "x").colour, kRed);
  EXPECT_EQ(FormatOf(view, "x").points, 18);
  EXPECT_EQ(FormatOf(view, "y"), CharFormat{});
}

TEST(ConvertHtml, MapsEveryFontSizeToPoints) {
  const int expected[] = {8, 10, 12, 14, 18, 24, 36};
  for (int size = 1; size <= 7; ++size) {
    const FormattedText view = Convert("<FONT SIZE=" + std::to_string(size) + ">x</FONT>");
    EXPECT_EQ(FormatOf(view, "x").points, expected[size - 1]) << size;
  }
  EXPECT_EQ(FormatOf(Convert("<FONT SIZE=-1>x"), "x").points, 10);
  EXPECT_EQ(FormatOf(Convert("<FONT SIZE=0>x"), "x").points, 8);
  EXPECT_EQ(FormatOf(Convert("<FONT SIZE=99999999999999999999>x"), "x").points, 36);
  EXPECT_EQ(FormatOf(Convert("<FONT SIZE=-99999999999999999999>x"), "x").points, 8);
  EXPECT_EQ(FormatOf(Convert("<FONT SIZE=big>x"), "x").points, kDefaultPoints);
}

TEST(ConvertHtml, TakesTheFirstFaceOfAListAndBoundsItsLength) {
  EXPECT_EQ(FormatOf(Convert("<FONT FACE=\" Tahoma , Arial\">x"), "x").face, "Tahoma");
  EXPECT_EQ(FormatOf(Convert("<FONT FACE=\"Arial\"><FONT FACE=\"\">x"), "x").face, "Arial");
  EXPECT_EQ(FormatOf(Convert("<FONT FACE=\"" + std::string(100, 'F') + "\">x"), "x").face,
            std::string(31, 'F'));
}

TEST(ConvertHtml, IgnoresColoursItCannotRead) {
  EXPECT_EQ(FormatOf(Convert("<FONT COLOR=\"#f00\">x"), "x").colour, kRed);
  EXPECT_EQ(FormatOf(Convert("<FONT COLOR=\"0000FF\">x"), "x").colour, kBlue);
  EXPECT_EQ(FormatOf(Convert("<FONT COLOR=\"#0000ff\"><FONT COLOR=\"#12345\">x"), "x").colour,
            kBlue);
  EXPECT_FALSE(FormatOf(Convert("<FONT COLOR=\"#gggggg\">x"), "x").colour);
}

TEST(ConvertHtml, TakesTheFirstReadableBodyColour) {
  EXPECT_EQ(Convert("<BODY BGCOLOR=\"#000000\">a<BODY BGCOLOR=\"#ffffff\">b").background, kBlack);
  EXPECT_EQ(Convert("<BODY>a<BODY BGCOLOR=\"nonsense\">b<BODY BGCOLOR=white>").background, kWhite);
  EXPECT_FALSE(Convert("<BODY>a</BODY>").background);
}

TEST(ConvertHtml, DecodesCharacterReferences) {
  EXPECT_EQ(Convert("&amp; &lt;b&gt; &quot;q&quot; &apos;").text, "& <b> \"q\" '");
  EXPECT_EQ(Convert("&#65;&#x42;&#X43;&#68").text, "ABCD");
  EXPECT_EQ(Convert("caf&#233; &#8364;5 &#8217;").text,
            "caf\xE9 \x80"
            "5 \x92");
  EXPECT_EQ(Convert("smile &#x263A; &#0; &#99999999999999999999; &#xD800;").text, "smile ? ? ? ?");
  EXPECT_EQ(Convert("a&#1;b&#127;c").text, "abc");
}

TEST(ConvertHtml, KeepsWhatIsNoReferenceAsText) {
  EXPECT_EQ(Convert("AT&T &unknown; &amp &# &#x; &").text, "AT&T &unknown; &amp &# &#x; &");
}

TEST(ConvertHtml, NonBreakingSpacesDoNotCollapse) {
  EXPECT_EQ(Convert("a&nbsp;&nbsp; &nbsp;b").text,
            "a\xA0\xA0 \xA0"
            "b");
  EXPECT_EQ(Convert("a&#10;&#32;&#9;b").text, "a b");
}

TEST(ConvertHtml, KeepsLinksTheViewMayOpen) {
  const FormattedText view = Convert(
      "<A HREF=\"http://www.example.com/\">web</A> <A "
      "HREF=\"HTTPS://secure.example.com/a?b=1&amp;c=2\">safe</A> "
      "<a href=mailto:bob@example.com>mail</a> after");
  EXPECT_EQ(view.text, "web safe mail after");
  EXPECT_EQ(LinkOf(view, "web"), "http://www.example.com/");
  EXPECT_EQ(LinkOf(view, "safe"), "HTTPS://secure.example.com/a?b=1&c=2");
  EXPECT_EQ(LinkOf(view, "mail"), "mailto:bob@example.com");
  EXPECT_EQ(LinkOf(view, "after"), "");
}

TEST(ConvertHtml, DropsLinksTheViewMustNotOpen) {
  const char* const hrefs[] = {
      "javascript:alert(1)",      "JavaScript:alert(1)",      " javascript:alert(1)",
      "java\tscript:alert(1)",    "&#106;avascript:alert(1)", "file:///C:/Windows/notepad.exe",
      "vbscript:msgbox",          "data:text/html,hi",        "\\\\server\\share\\x.exe",
      "C:\\Windows\\notepad.exe", "relative/page.html",       "",
  };
  for (const char* href : hrefs) {
    const FormattedText view = Convert(std::string("<A HREF=\"") + href + "\">click</A>");
    EXPECT_EQ(view.text, "click") << href;
    EXPECT_EQ(LinkOf(view, "click"), "") << href;
  }
  EXPECT_EQ(LinkOf(Convert("<A NAME=\"top\">anchor</A>"), "anchor"), "");
}

TEST(ConvertHtml, TrimsWhatABrowserIgnoresAroundALink) {
  EXPECT_EQ(LinkOf(Convert("<A HREF=\"  http://example.com/a\nb \">x</A>"), "x"),
            "http://example.com/ab");
}

TEST(ConvertHtml, AnInnerAnchorNeverLendsTheOuterTarget) {
  const FormattedText view = Convert(
      "<A HREF=\"http://good.example/\">good <A HREF=\"javascript:evil()\">bad</A> good again</A>");
  EXPECT_EQ(LinkOf(view, "bad"), "");
  EXPECT_EQ(LinkOf(view, "good again"), "http://good.example/");
}

TEST(ConvertHtml, NeverShowsScriptStyleOrComments) {
  EXPECT_EQ(Convert("a<SCRIPT>document.write('<B>x</B>')</SCRIPT>b").text, "ab");
  EXPECT_EQ(Convert("a<script type=\"text/javascript\">if (a < b) go();</script >b").text, "ab");
  EXPECT_EQ(Convert("a<STYLE>body { color: red }</Style>b").text, "ab");
  EXPECT_EQ(Convert("a<SCRIPT>x</SCRIPTS>y</SCRIPT>b").text, "ab");
  EXPECT_EQ(Convert("a<SCRIPT>never closed <B>at all").text, "a");
  EXPECT_EQ(Convert("a<!-- 09:15:02-1a2b -->b<!---->c<!-->d").text, "abcd");
  EXPECT_EQ(Convert("<!DOCTYPE html><?xml version=\"1.0\"?>text").text, "text");
}

TEST(ConvertHtml, DropsUnknownTagsAndKeepsTheirText) {
  const FormattedText view =
      Convert("<TABLE><TR><TD>cell</TD></TR></TABLE> <IMG SRC=\"x.gif\"><BLINK>on</BLINK>");
  EXPECT_EQ(view.text, "cell on");
  EXPECT_EQ(FormatOf(view, "cell"), CharFormat{});
}

TEST(ConvertHtml, BreaksLinesAtBrParagraphsAndRules) {
  EXPECT_EQ(Convert("a<BR>b<BR><BR>c<BR/>").text, "a\nb\n\nc\n");
  EXPECT_EQ(Convert("<P>one<P>two</P><P>three").text, "one\n\ntwo\n\nthree");
  EXPECT_EQ(Convert("above<HR>below").text, "above\n------------------------\nbelow");
  EXPECT_EQ(FormatOf(Convert("<B>x<HR></B>"), "----").bold, false);
}

TEST(ConvertHtml, KeepsStrayLessThanSignsAsText) {
  EXPECT_EQ(Convert("1 < 2 and 3<4 <= 5 <3 </ 6").text, "1 < 2 and 3<4 <= 5 <3 </ 6");
  EXPECT_EQ(Convert("ends with <").text, "ends with <");
  EXPECT_EQ(Convert("ends with <B").text, "ends with <B");
  EXPECT_EQ(Convert("a <!-- never closed").text, "a <!-- never closed");
  EXPECT_EQ(Convert("a <!never closed").text, "a <!never closed");
  // Around the input's last '>': what it closes is read, what follows it not.
  EXPECT_EQ(Convert("a</>b<>c<!>d</B").text, "a</>b<>cd</B");
}

TEST(ConvertHtml, KeepsTextOfUnclosedAndMisnestedTags) {
  EXPECT_EQ(Convert("<B>bold to the end").text, "bold to the end");
  EXPECT_TRUE(FormatOf(Convert("<B>bold to the end"), "end").bold);

  // The I opened inside B outlives the B's end, as in a browser.
  const FormattedText misnested = Convert("<B>b<I>bi</B>i</I>n");
  EXPECT_EQ(misnested.text, "bbiin");
  ASSERT_EQ(misnested.runs.size(), 4u);
  EXPECT_EQ(misnested.runs[0].length, 1u);
  EXPECT_TRUE(misnested.FormatOf(misnested.runs[0]).bold &&
              !misnested.FormatOf(misnested.runs[0]).italic);
  EXPECT_EQ(misnested.runs[1].length, 2u);
  EXPECT_TRUE(misnested.FormatOf(misnested.runs[1]).bold &&
              misnested.FormatOf(misnested.runs[1]).italic);
  EXPECT_EQ(misnested.runs[2].length, 1u);
  EXPECT_TRUE(!misnested.FormatOf(misnested.runs[2]).bold &&
              misnested.FormatOf(misnested.runs[2]).italic);
  EXPECT_EQ(misnested.FormatOf(misnested.runs[3]), CharFormat{});

  EXPECT_EQ(Convert("</FONT></B>stray ends</A>").text, "stray ends");
}

TEST(ConvertHtml, ReadsAttributesWrittenCarelessly) {
  const FormattedText unclosedQuote = Convert("<FONT COLOR=\"#ff0000>red</FONT> plain");
  EXPECT_EQ(unclosedQuote.text, "red plain");
  EXPECT_EQ(FormatOf(unclosedQuote, "red").colour, kRed);

  const FormattedText bare = Convert("<FONT COLOR=#0000ff SIZE=4 FACE=Verdana>x</FONT>");
  EXPECT_EQ(FormatOf(bare, "x").colour, kBlue);
  EXPECT_EQ(FormatOf(bare, "x").points, 14);
  EXPECT_EQ(FormatOf(bare, "x").face, "Verdana");

  EXPECT_EQ(FormatOf(Convert("<FONT COLOR = 'red' COLOR=\"blue\" = >x"), "x").colour, kRed);
}

TEST(ConvertHtml, DropsInvisibleBytesAndKeepsAnsiText) {
  EXPECT_EQ(Convert(std::string("a\0b\x01"
                                "c\x7F"
                                "d",
                                7))
                .text,
            "abcd");
  EXPECT_EQ(Convert("gr\xFC\xDF"
                    "e \x80")
                .text,
            "gr\xFC\xDF"
            "e \x80");
}

TEST(ConvertHtml, SurvivesDeepNesting) {
  std::string html;
  for (int i = 0; i < 5000; ++i) html += "<FONT SIZE=" + std::to_string(i % 7 + 1) + "><B>";
  html += "deep";
  for (int i = 0; i < 6000; ++i) html += "</B></FONT>";
  html += "out";
  const FormattedText view = Convert(html);
  EXPECT_EQ(view.text, "deepout");
  EXPECT_EQ(FormatOf(view, "out"), CharFormat{});
}

// Inputs whose naive reading would be quadratic; a slow reading shows as a
// test time-out.
TEST(ConvertHtml, ReadsPathologicalInputInLinearTime) {
  std::string strayOpens;
  for (int i = 0; i < 50000; ++i) strayOpens += "<a";
  EXPECT_EQ(Convert(strayOpens).text, strayOpens);

  std::string openComments;
  for (int i = 0; i < 50000; ++i) openComments += "<!--";
  EXPECT_EQ(Convert(openComments).text, openComments);

  std::string openScripts;
  for (int i = 0; i < 50000; ++i) openScripts += "<SCRIPT></SCRIPX>";
  EXPECT_EQ(Convert("x" + openScripts).text, "x");

  std::string closes;
  for (int i = 0; i < 300; ++i) closes += "<B>";
  for (int i = 0; i < 20000; ++i) closes += "</I>x";
  EXPECT_EQ(Convert(closes).text, std::string(20000, 'x'));
}

}  // namespace
}  // namespace corvane
