#include "viewer/search/search_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "viewer/html/testing/ascii_lower_fold.h"

namespace corvane {
namespace {

std::string Said(const std::string& who, const std::string& text) {
  return "<FONT COLOR=\"#0000ff\"><B>" + who + "</B>:</FONT> <FONT SIZE=2>" + text + "</FONT><BR>";
}

const std::string kDay = "<HTML><BODY>" + Said("Bob", "lunch at one?") + Said("amy", "lunch, yes") +
                         "and lunch tomorrow<BR>" + Said("bob", "ok") + "</BODY></HTML>";

struct Found {
  std::string text;
  std::uint32_t place;
  bool operator==(const Found& other) const { return text == other.text && place == other.place; }
};

std::vector<Found> RowsOf(const SearchTerms& terms, const std::string& html) {
  SearchRows search(terms);
  SearchRowList rows;
  search.Of(HistoryDay{"alice", "bob", "2002-06-14 [Friday]"}, html, rows);
  std::vector<Found> found;
  for (std::size_t i = 0; i < rows.Size(); ++i)
    found.push_back({std::string(rows[i].text), rows[i].place});
  return found;
}

SearchTerms Terms(const std::string& query, const std::string& saidBy) {
  return SearchTerms{query, AsciiLowerFold(), saidBy, AsciiLowerFold()};
}

TEST(SearchRows, KeepOnlyTheSendersMatchesWithTheirPlacesAmongAll) {
  EXPECT_EQ(RowsOf(Terms("lunch", "amy"), kDay),
            (std::vector<Found>{{"amy: lunch, yes", 1}, {"and lunch tomorrow", 2}}));
  EXPECT_EQ(RowsOf(Terms("lunch", " B O B"), kDay),
            (std::vector<Found>{{"Bob: lunch at one?", 0}}));
  EXPECT_EQ(RowsOf(Terms("lunch", ""), kDay).size(), 3u);
}

TEST(SearchRows, TellTheLineOfEachRow) {
  SearchRows search(Terms("o", "bob"));
  SearchRowList rows;
  search.Of(HistoryDay{}, kDay, rows);
  EXPECT_EQ(search.LinesOfLastRows(), (std::vector<std::uint32_t>{1, 1, 4, 4}));
}

TEST(SearchRows, WithoutAQueryListEveryLineTheSenderSaid) {
  EXPECT_EQ(RowsOf(Terms("", "bob"), kDay),
            (std::vector<Found>{{"Bob: lunch at one?", 0}, {"bob: ok", 1}}));
  EXPECT_TRUE(RowsOf(Terms("", ""), kDay).empty());
  EXPECT_FALSE(SearchesAnything(Terms("", " ")));
}

TEST(SearchRows, LocateARowInItsDayAsItIsNow) {
  SearchRows search(Terms("lunch", ""));
  // As it was: the row's own occurrence.
  EXPECT_EQ(search.Locate(kDay, "and lunch tomorrow", 2)->occurrence, 2);
  // Lines written before it since: found by its text.
  const std::string grown = "<HTML><BODY>" + Said("amy", "lunch?") + "</BODY></HTML>" + kDay;
  EXPECT_EQ(search.Locate(grown, "and lunch tomorrow", 2)->occurrence, 3);
  EXPECT_FALSE(search.Locate(grown, "gone lunch", 2).has_value());

  // A line said, without a query: the whole line is shown, as the
  // occurrence of its text that begins it.
  SearchRows lines(Terms("", "bob"));
  const std::string twice = "<HTML><BODY>" + Said("amy", "bob: ok") + "</BODY></HTML>" + kDay;
  const std::optional<RowInView> shown = lines.Locate(twice, "bob: ok", 1);
  ASSERT_TRUE(shown.has_value());
  EXPECT_EQ(shown->highlight, "bob: ok");
  EXPECT_EQ(shown->occurrence, 1);
}

TEST(SearchRowList, KeepsDaysOnceAndSharesARepeatedText) {
  SearchRowList rows;
  rows.AddDay(HistoryDay{"alice", "bob", "2002-06-14 [Friday]"});
  rows.Add("lunch lunch", 0);
  rows.Add("lunch lunch", 1);
  SearchRowList more;
  more.AddDay(HistoryDay{"alice", "amy", "2002-06-13 [Thursday]"});
  more.Add("", 0);
  more.Add("lunch", 4);
  rows.Append(more);
  ASSERT_EQ(rows.Size(), 4u);
  EXPECT_EQ(rows.Days(), 2u);
  EXPECT_EQ(rows[1].text, "lunch lunch");
  EXPECT_EQ(rows[1].text.data(), rows[0].text.data());
  EXPECT_EQ(rows[2].text, "");
  EXPECT_EQ(rows[3].day.buddy, "amy");
  EXPECT_EQ(rows[3].text, "lunch");
  EXPECT_EQ(rows[3].place, 4u);
}

}  // namespace
}  // namespace corvane
