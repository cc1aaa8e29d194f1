#include "viewer/html/html_view_breaks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace corvane {
namespace {

using Places = std::vector<std::size_t>;

TEST(PageBreaks, BreaksOnlyStretchesLongerThanTheLongest) {
  EXPECT_EQ(PageBreaks("short line\nanother\n", 16).Places(), Places{});
  EXPECT_EQ(PageBreaks(std::string(16, 'x') + "\n" + std::string(16, 'y'), 16).Places(), Places{});
  // A word of 40 in stretches of 16; each line starts afresh.
  EXPECT_EQ(PageBreaks(std::string(40, 'x') + "\n" + std::string(17, 'y'), 16).Places(),
            (Places{16, 32, 57}));
}

TEST(PageBreaks, BreaksAfterTheLastSpaceOfAStretch) {
  // "aaaa bbbb cccc " repeated: the break follows the space that ends a
  // stretch's last whole word, so words wrap as they did.
  const std::string words = "aaaa bbbb cccc dddd eeee ffff";
  EXPECT_EQ(PageBreaks(words, 12).Places(), (Places{10, 20}));
  // A word too long for a stretch after a space is broken inside.
  EXPECT_EQ(PageBreaks("ab " + std::string(30, 'x'), 10).Places(), (Places{3, 13, 23}));
}

TEST(PageBreaks, StartsAPageLineAtTheFirstBreakPastTheLongestLine) {
  // A word of 100 in stretches of 10, a page line at least 30 long; each
  // line of the text starts afresh.
  const PageBreaks breaks(std::string(100, 'x') + "\n" + std::string(35, 'y'), 10, 30);
  EXPECT_EQ(breaks.LineStarts(), (Places{30, 60, 90, 131}));
  // The long line's end ends its paragraph, though it comes 11 into it.
  EXPECT_EQ(breaks.ParagraphEnds(), Places{100});
  for (std::size_t start : breaks.LineStarts()) {
    EXPECT_TRUE(std::binary_search(breaks.Places().begin(), breaks.Places().end(), start));
  }
}

TEST(PageBreaks, ShortLinesShareAPageParagraphUpToTheLongestLine) {
  // Lines of three characters, a page line at least 10 long: every fourth
  // line end ends a paragraph.
  std::string text;
  for (int line = 0; line < 8; ++line) text += "ab\n";
  const PageBreaks breaks(text, 16, 10);
  EXPECT_EQ(breaks.ParagraphEnds(), (Places{11, 23}));
  EXPECT_TRUE(breaks.Places().empty());
  // What the page shows otherwise than the text holds it.
  EXPECT_FALSE(breaks.Alters(text, 0, 2));
  EXPECT_TRUE(breaks.Alters(text, 0, 3));
  EXPECT_FALSE(breaks.Alters(text, 9, 14));
  EXPECT_TRUE(breaks.Alters(text, 9, 15));
  EXPECT_TRUE(PageBreaks(std::string(40, 'x'), 16).Alters(std::string(40, 'x'), 10, 20));
}

TEST(PageBreaks, MapsTextAndPagePositionsBothWays) {
  const std::string text = std::string(40, 'x') + "\nab cd " + std::string(30, 'y') + "\n";
  const PageBreaks breaks(text, 8);
  ASSERT_FALSE(breaks.Places().empty());
  std::size_t lastShown = 0;
  for (std::size_t position = 0; position <= text.size(); ++position) {
    const std::size_t shown = breaks.Shown(position);
    EXPECT_EQ(breaks.Text(shown), position) << position;
    if (position > 0) {
      EXPECT_GT(shown, lastShown) << position;
    }
    lastShown = shown;
  }
  // A break on the page counts as the text's character after it.
  const std::size_t first = breaks.Places()[0];
  EXPECT_EQ(breaks.Shown(first), first);
  EXPECT_EQ(breaks.Text(first + 1), first);
  EXPECT_EQ(breaks.Shown(text.size()), text.size() + breaks.Places().size());
}

}  // namespace
}  // namespace corvane
