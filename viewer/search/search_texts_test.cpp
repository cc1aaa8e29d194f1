#include "viewer/search/search_texts.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

std::string MatchRowText(std::string_view text, std::size_t offset, std::size_t length) {
  return MatchRowTexts(text, {offset}, 1, length).at(0);
}

std::string RowOf(std::string_view text, std::string_view match) {
  const std::size_t at = text.find(match);
  return MatchRowText(text, at, match.size());
}

TEST(MatchRowText, ShowsAShortLineWhole) {
  const std::string text = "first line\nbob: what about lunch?\nlast line";
  EXPECT_EQ(RowOf(text, "lunch"), "bob: what about lunch?");
  EXPECT_EQ(RowOf(text, "first"), "first line");
  EXPECT_EQ(RowOf(text, "last"), "last line");
  const std::string eighty(80, 'x');
  EXPECT_EQ(MatchRowText(eighty, 10, 2), eighty);
}

TEST(MatchRowText, CutsALongLineAroundTheMatchAtWholeWords) {
  std::string line;
  for (int n = 0; n < 30; ++n) line += "word" + std::to_string(n) + " ";
  line += "LUNCH";
  for (int n = 30; n < 60; ++n) line += " word" + std::to_string(n);
  const std::string text = "before\n" + line + "\nafter";
  const std::string row = RowOf(text, "LUNCH");
  ASSERT_EQ(row.substr(0, 3), "...");
  ASSERT_EQ(row.substr(row.size() - 3), "...");
  const std::string inner = row.substr(3, row.size() - 6);
  EXPECT_NE(inner.find("LUNCH"), std::string::npos);
  EXPECT_NE(line.find(inner), std::string::npos);
  // Whole words: the excerpt starts and ends at a word's edges.
  EXPECT_EQ(inner.substr(0, 4), "word");
  EXPECT_EQ(line[line.find(inner) - 1], ' ');
  EXPECT_EQ(line[line.find(inner) + inner.size()], ' ');
  EXPECT_GE(inner.size(), 70u);
  EXPECT_LE(inner.size(), 100u);
  // Centred: about as much text before the match as after it.
  const std::size_t before = inner.find("LUNCH");
  const std::size_t after = inner.size() - before - 5;
  EXPECT_LE(before > after ? before - after : after - before, 20u);
}

TEST(MatchRowText, CutsOnlyTheSideThatWasCut) {
  const std::string line = "lunch " + std::string(100, 'y') + " end";
  EXPECT_EQ(MatchRowText(line, 0, 5).substr(0, 6), "lunch ");
  EXPECT_EQ(MatchRowText(line, 0, 5).substr(MatchRowText(line, 0, 5).size() - 3), "...");
  const std::string tail = std::string(50, 'y') + " " + std::string(50, 'z') + " lunch";
  const std::string row = MatchRowText(tail, tail.size() - 5, 5);
  EXPECT_EQ(row.substr(0, 3), "...");
  EXPECT_EQ(row.substr(row.size() - 5), "lunch");
}

TEST(MatchRowText, AWordLongerThanTheWidthIsCutInside) {
  const std::string address = "http://" + std::string(300, 'a') + "/lunch/" + std::string(300, 'b');
  const std::string row = MatchRowText(address, address.find("lunch"), 5);
  EXPECT_NE(row.find("lunch"), std::string::npos);
  EXPECT_LE(row.size(), 80u + 2 * 20 + 6);
  EXPECT_EQ(row.substr(0, 3), "...");
}

TEST(MatchRowText, AMatchWiderThanTheWidthShowsWhole) {
  const std::string query(120, 'q');
  const std::string line = "a " + query + " b " + std::string(100, 'c');
  const std::string row = MatchRowText(line, 2, query.size());
  EXPECT_NE(row.find(query), std::string::npos);
}

TEST(MatchRowTexts, GivesEachOccurrenceItsOwnLineUpToTheCount) {
  const std::string text = "lunch one\nnone\nlunch, lunch\n\nlunch";
  const std::vector<std::size_t> offsets = {0, 15, 22, 29};
  EXPECT_EQ(MatchRowTexts(text, offsets, 4, 5),
            (std::vector<std::string>{"lunch one", "lunch, lunch", "lunch, lunch", "lunch"}));
  EXPECT_EQ(MatchRowTexts(text, offsets, 2, 5),
            (std::vector<std::string>{"lunch one", "lunch, lunch"}));
  const std::string line =
      "x " + std::string(200, 'a') + " lunch " + std::string(200, 'b') + " lunch";
  const std::vector<std::string> rows = MatchRowTexts(line, {203, line.size() - 5}, 2, 5);
  EXPECT_EQ(rows[0].substr(0, 3), "...");
  EXPECT_NE(rows[0].find(" lunch "), std::string::npos);
  EXPECT_EQ(rows[1].substr(rows[1].size() - 6), " lunch");
}

TEST(SearchStatus, CountsInSingularAndPlural) {
  EXPECT_EQ(SearchingText(1234, 56), "Searching... 1,234 matches in 56 days");
  EXPECT_EQ(SearchingText(1, 1), "Searching... 1 match in 1 day");
  EXPECT_EQ(SearchingText(0, 0), "Searching... 0 matches in 0 days");
  EXPECT_EQ(FinishedText(37, 12, false, 0.214), "37 matches in 12 days (0.21 s)");
  EXPECT_EQ(FinishedText(1, 1, false, 0.05), "1 match in 1 day (0.05 s)");
  EXPECT_EQ(FinishedText(2, 1, false, 1.0), "2 matches in 1 day (1.00 s)");
  EXPECT_EQ(FinishedText(0, 0, false, 0.4), "No matches (0.40 s)");
  EXPECT_EQ(FinishedText(10000, 3, true, 0.123), "10,000+ matches in 3 days (0.12 s)");
  EXPECT_EQ(FinishedText(10000, 1, true, 12.5), "10,000+ matches in 1 day (12.50 s)");
  EXPECT_EQ(FinishedText(12, 9, false, 0.07, 1),
            "12 matches in 9 days (1 day could not be read) (0.07 s)");
  EXPECT_EQ(FinishedText(0, 0, false, 0.05, 2), "No matches (2 days could not be read) (0.05 s)");
}

TEST(IndexStatus, SaysHowFarTheIndexHasCome) {
  EXPECT_EQ(IndexStatusText(1234, 25600), "Indexing: 1,234 of 25,600 days");
  EXPECT_EQ(IndexStatusText(0, 1), "Indexing: 0 of 1 day");
  EXPECT_EQ(IndexStatusText(25600, 25600), "Ready: 25,600 days indexed");
  EXPECT_EQ(IndexStatusText(1, 1), "Ready: 1 day indexed");
  EXPECT_EQ(IndexStatusText(0, 0), "Ready: 0 days indexed");
}

}  // namespace
}  // namespace corvane
