#include "viewer/html/html_view_ranges.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

// The lines of a range as text, to read the expectations at a glance.
std::string Lines(std::string_view text, TextRange range) {
  EXPECT_LE(range.begin, range.end);
  EXPECT_LE(range.end, text.size());
  return std::string(text.substr(range.begin, range.end - range.begin));
}

TEST(LinesAround, TakesWholeLinesAroundThePosition) {
  const std::string text = "one\ntwo\nthree\nfour\nfive";
  const struct {
    std::size_t position, before, after;
    std::string want;
  } cases[] = {
      {text.find("three") + 2, 0, 0, "three\n"},
      {text.find("three"), 1, 1, "two\nthree\nfour\n"},
      {text.find("two") + 3, 0, 0, "two\n"},  // the line end belongs to its line
      {0, 5, 0, "one\n"},
      {text.size(), 1, 0, "four\nfive"},  // the end belongs to the last line
      {text.size(), 0, 9, "five"},
      {text.find("two"), 9, 9, text},
      {text.size() + 7, 0, 0, "five"},  // past the end: the last line
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Lines(text, LinesAround(text, c.position, c.before, c.after)), c.want)
        << c.position << " " << c.before << " " << c.after;
  }
}

TEST(LinesAround, TheEndAfterALineEndIsAnEmptyLastLine) {
  const std::string text = "one\ntwo\n";
  EXPECT_EQ(Lines(text, LinesAround(text, text.size(), 0, 0)), "");
  EXPECT_EQ(Lines(text, LinesAround(text, text.size(), 1, 0)), "two\n");
  EXPECT_EQ(Lines("", LinesAround("", 0, 3, 3)), "");
}

TEST(LinesAround, EndsLinesAlsoWhereThePageStartsOne) {
  const std::string text = "abcdefgh\nij";
  const std::vector<std::size_t> starts{4};
  EXPECT_EQ(Lines(text, LinesAround(text, 5, 0, 0, starts)), "efgh\n");
  EXPECT_EQ(Lines(text, LinesAround(text, 4, 0, 1, starts)), "efgh\nij");
  EXPECT_EQ(Lines(text, LinesAround(text, 9, 1, 0, starts)), "efgh\nij");
  EXPECT_EQ(PieceEnd(text, 0, text.size(), 2, starts), 4u);
}

TEST(PagePieceEnd, HoldsAtMostAsManyLinesAsRuns) {
  std::string html;
  for (int line = 0; line < 10; ++line) html += "x<BR>";
  const FormattedText text = ConvertHtml(html);
  ASSERT_EQ(text.runs.size(), 1u);
  EXPECT_EQ(PagePieceEnd(text, 0, text.text.size(), 3 * kCharactersPerRun, {}), 6u);
  EXPECT_EQ(PagePieceEnd(text, 4, text.text.size(), 3 * kCharactersPerRun, {}), 10u);
  EXPECT_EQ(PagePieceEnd(text, 16, text.text.size(), 3 * kCharactersPerRun, {}), 20u);
}

TEST(RunsAround, KeepsAtMostSoManyRunsAroundThePosition) {
  const FormattedText text = ConvertHtml("a<b>b</b>c<b>d</b>e<b>f</b>");
  ASSERT_EQ(text.runs.size(), 6u);
  const TextRange all{0, 6};
  EXPECT_EQ(Lines(text.text, RunsAround(text, all, 6, 2)), "ef");  // at the end: before it
  EXPECT_EQ(Lines(text.text, RunsAround(text, all, 2, 2)), "bc");
  EXPECT_EQ(Lines(text.text, RunsAround(text, all, 0, 4)), "abcd");
  EXPECT_EQ(Lines(text.text, RunsAround(text, TextRange{1, 3}, 6, 2)), "bc");
  EXPECT_EQ(PagePieceEnd(text, 1, 6, 2 * kCharactersPerRun, {}), 3u);
}

TEST(PieceEnd, EndsAtTheLineEndThatReachesTheSize) {
  const std::string text = "aaaa\nbbbb\ncccc\n";
  EXPECT_EQ(PieceEnd(text, 0, text.size(), 3), 5u);
  EXPECT_EQ(PieceEnd(text, 0, text.size(), 5), 10u);  // the size reached at b's first character
  EXPECT_EQ(PieceEnd(text, 5, text.size(), 1), 10u);
  EXPECT_EQ(PieceEnd(text, 0, text.size(), 100), text.size());
  EXPECT_EQ(PieceEnd(text, 0, 7, 3), 5u);
  EXPECT_EQ(PieceEnd(text, 5, 7, 1), 7u);  // never past the limit
  EXPECT_EQ(PieceEnd("no line end at all", 0, 18, 4), 18u);
}

FormattedText Text(std::string text, std::vector<std::pair<std::size_t, bool>> boldFrom) {
  FormattedText view;
  view.text = std::move(text);
  view.formats.resize(2);
  view.formats[1].bold = true;
  for (std::size_t i = 0; i < boldFrom.size(); ++i) {
    const std::size_t end = i + 1 < boldFrom.size() ? boldFrom[i + 1].first : view.text.size();
    FormatRun run;
    run.start = boldFrom[i].first;
    run.length = end - run.start;
    run.format = boldFrom[i].second ? 1 : 0;
    view.runs.push_back(run);
  }
  return view;
}

TEST(FirstDifference, FindsWhereTextOrFormatStopsBeingTheSame) {
  const FormattedText shown = Text("bob: hi\nalice: yo\n", {{0, true}, {3, false}});
  EXPECT_EQ(FirstDifference(shown, shown), shown.text.size());
  // Appended text, as a running conversation adds it.
  EXPECT_EQ(
      FirstDifference(shown, Text("bob: hi\nalice: yo\nbob: more\n", {{0, true}, {3, false}})),
      shown.text.size());
  // The same text, bold from elsewhere on.
  EXPECT_EQ(
      FirstDifference(shown, Text("bob: hi\nalice: yo\n", {{0, true}, {3, false}, {8, true}})), 8u);
  EXPECT_EQ(FirstDifference(shown, Text("bob: hi\nalice: yo\n", {{0, true}, {2, false}})), 2u);
  // Changed text before a changed format: the text counts.
  EXPECT_EQ(
      FirstDifference(shown, Text("bob: ho\nalice: yo\n", {{0, true}, {3, false}, {12, true}})),
      6u);
  // Shorter: what is left is the same.
  EXPECT_EQ(FirstDifference(shown, Text("bob: hi\n", {{0, true}, {3, false}})), 8u);
  EXPECT_EQ(FirstDifference(shown, FormattedText{}), 0u);
}

TEST(MovedPosition, FollowsTheTextAroundAChange) {
  const std::string before = "one\ntwo\nthree\n";
  const std::string grown = "one\nTWO and more\nthree\n";
  const std::size_t same = 4;
  EXPECT_EQ(MovedPosition(before, grown, same, 2), 2u);  // before the change
  EXPECT_EQ(MovedPosition(before, grown, same, before.find("three")), grown.find("three"));
  EXPECT_EQ(MovedPosition(before, grown, same, before.size()), grown.size());
  EXPECT_EQ(MovedPosition(before, grown, same, 5), 5u);  // inside it: held
  // Appended text leaves every place where it was.
  EXPECT_EQ(MovedPosition(before, before + "four\n", before.size(), 6), 6u);
  // A shorter text: nothing past its end.
  EXPECT_EQ(MovedPosition(before, "one\n", 4, 9), 4u);
  EXPECT_EQ(MovedPosition(before, "", 0, 9), 0u);
  EXPECT_EQ(MovedPosition(before, grown, same, std::string::npos),
            grown.size());  // past the end: the end
  // The common end never reaches into the part before the change.
  EXPECT_EQ(MovedPosition("aaaa", "aaaaaa", 4, 4), 4u);
  EXPECT_EQ(MovedPosition("xaaa", "xbaaa", 1, 2), 3u);
}

}  // namespace
}  // namespace corvane
