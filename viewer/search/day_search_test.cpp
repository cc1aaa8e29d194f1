#include "viewer/search/day_search.h"

#include <gtest/gtest.h>

#include "viewer/html/html_to_view.h"
#include "viewer/html/testing/ascii_lower_fold.h"
#include "viewer/html/view_text.h"

namespace corvane {
namespace {

using Offsets = std::vector<std::size_t>;

std::string ViewText(std::string_view html) {
  std::string text = "left over from an earlier day";
  ViewTextOf(html, text);
  return text;
}

// Inputs where the view's text is easy to get wrong: every rule of the
// conversion that decides characters or line breaks.
const char* const kTrickyHtml[] = {
    "",
    "plain",
    "<HTML><BODY BGCOLOR=\"#ffffff\"><B>bob</B>: hi<BR>there</BODY></HTML>",
    "<!-- 09:00:00-10a4 -->\r\n<HTML><B>a</B></HTML>\r\n<!-- 09:01:00-10a5 -->\r\n<BASE "
    "TARGET=\"_new\">\r\n"
    "<HTML>b</HTML><BR>\r\n",
    "  lots   of\t\r\n white  space  <BR>  at line starts",
    "a<P>b<P><P>c</P>d<p>",
    "<P>starts with a paragraph",
    "<BR><P>x",
    "rule<HR>after<hr>",
    "<HR><HR>",
    "fish &amp; chips &lt;3 &AMP &amp &#65;&#x42;&#67 &#0; &#1; &#9;tab &#10;lf &nbsp;nb &#8364; "
    "&#x1F600; &bogus;",
    "&#999999999999999999; &#x; &#; &",
    "a <b c <d> e",
    "x < y > z",
    "<!-- never closed",
    "<!-->empty comment<!--->x-->y",
    "<!DOCTYPE html>text<?xml version?>more<!- not a comment ->",
    "<!x",
    "<script>hidden<BR></script>shown<SCRIPT>never closed",
    "<style>p{}</STYLE >after</stylex>",
    "<scriptx>shown</scriptx>",
    "</BR>end tags</P>of all kinds</HTML></B>",
    "<P/>slash<BR/>done",
    "<1>not a tag</ 2>",
    "\x01\x02control\x7F bytes\x0B\x0C",
    "\xC4pfel \xE4pfel",
    "trailing space   ",
    "<FONT FACE=\"a>b\">quoted > ends the tag",
    "a\nb<HTML>c",
    "<HTML><HTML>x<HTML>",
};

TEST(ViewTextOf, IsTheTextOfTheViewsOwnConversion) {
  for (const char* html : kTrickyHtml) {
    EXPECT_EQ(ViewText(html), ConvertHtml(html).text) << html;
  }
}

TEST(ViewTextOf, DropsTagsDecodesReferencesAndBreaksLines) {
  EXPECT_EQ(ViewText("<B>lun</B>ch"), "lunch");
  EXPECT_EQ(ViewText("fish &amp; chips"), "fish & chips");
  EXPECT_EQ(ViewText("<HTML>one<BR>two</HTML><HTML>three"), "one\ntwo\nthree");
}

// A stop within text is reached at the text written so far (a space waits
// for what follows it); one within a tag, a comment or a reference where that
// ends.
TEST(ViewTextOf, ReachesEachStopWhereTheTextOfWhatBeginsThereStarts) {
  const std::string html = "ab cd<B>e</B>&amp;f<!-- x -->g";
  std::string text;
  Offsets textAtStops;
  ViewTextOf(html, text, {0, 3, 4, 6, 13, 14, 20, 30, 99}, textAtStops);
  EXPECT_EQ(text, "ab cde&fg");
  EXPECT_EQ(textAtStops, (Offsets{0, 2, 4, 5, 6, 7, 8, 9, 9}));
}

Offsets Find(std::string_view html, std::string_view query, const FoldTable& fold) {
  DaySearch search(query, fold);
  return search.Find(html);
}

Offsets Oracle(std::string_view html, std::string_view query, const FoldTable& fold) {
  return FindInLines(ConvertHtml(html).text, query, fold);
}

TEST(DaySearch, FindsWhatTheReaderSees) {
  EXPECT_EQ(Find("<B>lun</B>ch", "lunch", IdentityFold()), (Offsets{0}));
  EXPECT_EQ(Find("fish &amp; chips", "fish & chips", IdentityFold()), (Offsets{0}));
  EXPECT_EQ(Find("fish&nbsp;chips", "fish chips", IdentityFold()), Offsets{});
  EXPECT_EQ(Find("fish  \r\n chips", "fish chips", IdentityFold()), (Offsets{0}));
  EXPECT_EQ(Find("<FONT COLOR=\"lunch\">x</FONT>", "lunch", IdentityFold()), Offsets{});
  EXPECT_EQ(Find("<!-- lunch -->x", "lunch", IdentityFold()), Offsets{});
}

TEST(DaySearch, NeverMatchesAcrossALineBreak) {
  EXPECT_EQ(Find("fish<BR>chips", "fish chips", IdentityFold()), Offsets{});
  EXPECT_EQ(Find("fish<BR>chips", "fishchips", IdentityFold()), Offsets{});
  EXPECT_EQ(Find("fish<HR>chips", "fish", IdentityFold()), (Offsets{0}));
  EXPECT_EQ(Find("a<P>b", "a b", IdentityFold()), Offsets{});
}

TEST(DaySearch, FoldsCaseThroughTheTableAndCountsInDocumentOrder) {
  FoldTable latin1 = AsciiLowerFold();
  latin1[0xC4] = 0xE4;
  EXPECT_EQ(Find("\xC4pfel und <I>\xE4pfel</I>", "\xE4PFEL", latin1), (Offsets{0, 10}));
  EXPECT_EQ(Find("\xC4pfel und <I>\xE4pfel</I>", "\xE4pfel", IdentityFold()), (Offsets{10}));
  EXPECT_EQ(Find("Lunch<BR>LUNCH lunch", "lunch", AsciiLowerFold()), (Offsets{0, 6, 12}));
  EXPECT_EQ(Find("aaaaa", "aa", IdentityFold()), (Offsets{0, 2}));
}

// Folds that real code pages never make still agree with the plain scan:
// a letter that folds as a line feed, everything folding as one byte.
TEST(DaySearch, AgreesWithThePlainScanForAnyFold) {
  FoldTable toLineFeed = IdentityFold();
  toLineFeed['x'] = '\n';
  FoldTable allOne{};
  const FoldTable folds[] = {IdentityFold(), AsciiLowerFold(), toLineFeed, allOne};
  const char* const queries[] = {"x",     "ax", "xa", "a",    "aa",   "ab a",
                                 "abcab", "\n", "",   "a\nb", "-----"};
  for (const FoldTable& fold : folds) {
    for (const char* html : kTrickyHtml) {
      for (const char* query : queries) {
        EXPECT_EQ(Find(html, query, fold), Oracle(html, query, fold)) << html << " / " << query;
      }
    }
    EXPECT_EQ(Find("xa<BR>ax x\nx a", "ax", fold), Oracle("xa<BR>ax x\nx a", "ax", fold));
  }
}

TEST(DaySearch, KeepsTheTextOfTheLastDay) {
  DaySearch search("b", IdentityFold());
  EXPECT_EQ(search.Find("a<BR>b"), (Offsets{2}));
  EXPECT_EQ(search.Text(), "a\nb");
  EXPECT_EQ(search.Find("nothing"), Offsets{});
  EXPECT_EQ(search.Text(), "nothing");
  EXPECT_EQ(search.QueryLength(), 1u);
}

}  // namespace
}  // namespace corvane
