// The rows a search shows, day by day in its order, up to kMaxSearchRows:
// one per occurrence of the query in the day's text as the view shows it,
// in the lines of the sender asked for (anyone's when none is); without a
// query, one per line that sender said.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/days/history_day.h"
#include "viewer/html/text_find.h"
#include "viewer/search/day_search.h"
#include "viewer/search/line_sender.h"
#include "viewer/search/search_row_list.h"

namespace corvane {

// What a search looks for.  The query compares through `fold`, the sender
// as screen names compare, through `nameFold`.
struct SearchTerms {
  std::string query;
  FoldTable fold{};
  std::string saidBy;  // empty: anyone
  FoldTable nameFold{};
};

// Whether the terms look for anything: a query, or someone who said it.
bool SearchesAnything(const SearchTerms& terms);

// Where a row's match is in its day as the view shows it now: what to
// highlight and which of its occurrences to show.
struct RowInView {
  std::string highlight;
  int occurrence = 0;
};

class SearchRows {
 public:
  explicit SearchRows(const SearchTerms& terms);

  // The rows of the next day of the search, from its file's bytes, added
  // to `rows`; how many.  None once the cap is reached.
  std::size_t Of(const HistoryDay& day, std::string_view html, SearchRowList& rows);

  // The line (counted from 1, in the day's text as the view shows it) of
  // each row the last Of added.
  std::vector<std::uint32_t> LinesOfLastRows() const;

  // A day had more matches than the cap left room for: the search ends.
  bool Capped() const { return capped_; }

  // Where the row of `text` and `place` is in the day's bytes as they are
  // now: the same row when the day holds it still, else the nearest with
  // its text (the day changed since); nullopt when none has it.
  std::optional<RowInView> Locate(std::string_view html, std::string_view text,
                                  std::uint32_t place);

 private:
  struct Match {
    std::size_t offset;
    std::uint32_t place;
  };
  const std::vector<Match>& Find(std::string_view html);
  std::vector<std::string> TextsOf(std::size_t count);

  const std::string query_;
  const FoldTable fold_;
  DaySearch search_;
  SaidBy saidBy_;
  std::vector<Match> matches_;
  std::vector<std::size_t> offsets_;  // of the matches, for their texts
  std::size_t rows_ = 0;
  bool capped_ = false;
};

}  // namespace corvane
