#include "viewer/html/html_view_rtf.h"

#include <gtest/gtest.h>

#include <string>

#include "viewer/html/html_view_breaks.h"

namespace corvane {
namespace {

constexpr char kBreak[] = "{\\v\\u8203?}";

// The RTF's body: what follows the tables and the first run's format.
std::string Body(const std::string& rtf) {
  const std::size_t pard = rtf.find("\\pard ");
  const std::size_t text = rtf.find(' ', rtf.find("\\plain", pard));
  return rtf.substr(text + 1, rtf.size() - text - 2);
}

TEST(RtfForView, PutsEachBreakOnceBeforeItsCharacter) {
  const FormattedText view = ConvertHtml(std::string(20, 'x'));
  const PageBreaks breaks(view.text, 8);
  ASSERT_EQ(breaks.Places(), (std::vector<std::size_t>{8, 16}));
  EXPECT_EQ(Body(RtfForView(view, TextRange{0, 20}, {}, breaks)),
            "xxxxxxxx" + std::string(kBreak) + "xxxxxxxx" + kBreak + "xxxx");
  // A piece from the middle carries only its own breaks.
  EXPECT_EQ(Body(RtfForView(view, TextRange{10, 20}, {}, breaks)),
            "xxxxxx" + std::string(kBreak) + "xxxx");
}

TEST(RtfForView, EndsAParagraphWhereThePageStartsALine) {
  const FormattedText view = ConvertHtml(std::string(20, 'x'));
  const PageBreaks breaks(view.text, 8, 12);
  ASSERT_EQ(breaks.LineStarts(), (std::vector<std::size_t>{16}));
  EXPECT_EQ(Body(RtfForView(view, TextRange{0, 20}, {}, breaks)),
            "xxxxxxxx" + std::string(kBreak) + "xxxxxxxx\\par\nxxxx");
  // A piece that starts at a page line starts with its paragraph end.
  EXPECT_EQ(Body(RtfForView(view, TextRange{16, 20}, {}, breaks)), "\\par\nxxxx");
}

TEST(RtfForView, EndsShortLinesWithLineBreaksUntilTheParagraphIsLong) {
  const FormattedText view = ConvertHtml("ab<BR>cd<BR>ef<BR>gh");
  const PageBreaks breaks(view.text, 8, 6);
  ASSERT_EQ(breaks.ParagraphEnds(), (std::vector<std::size_t>{5}));
  EXPECT_EQ(Body(RtfForView(view, TextRange{0, 11}, {}, breaks)),
            "ab\\line\ncd\\par\nef\\line\ngh");
  // A piece from the middle of a paragraph.
  EXPECT_EQ(Body(RtfForView(view, TextRange{3, 11}, {}, breaks)), "cd\\par\nef\\line\ngh");
}

TEST(RtfForView, KeepsBreaksWhereMarksAndRunsCutTheText) {
  // The mark and the bold run both begin at a break.
  const FormattedText view = ConvertHtml("xxxxxxxx<B>yyyyyyyy</B>");
  const PageBreaks breaks(view.text, 8);
  const std::string body =
      Body(RtfForView(view, TextRange{0, 16}, {TextMark{8, 12, kOccurrenceBackground}}, breaks));
  EXPECT_EQ(body.find(kBreak), body.rfind(kBreak)) << body;
  EXPECT_LT(body.find("xxxxxxxx"), body.find(kBreak)) << body;
  EXPECT_LT(body.find(kBreak), body.find("yyyy")) << body;
}

}  // namespace
}  // namespace corvane
