// The rows a search shows, day by day in its order, up to kMaxSearchRows:
// one per occurrence of the query in the day's text as the view shows it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/html/text_find.h"
#include "viewer/search/day_search.h"
#include "viewer/search/search_order.h"

namespace corvane {

struct SearchRow {
  SearchDay day;
  std::string text;    // the Text column
  int occurrence = 0;  // among the query's occurrences in the day, document order
};

class SearchRows {
 public:
  SearchRows(std::string_view query, const FoldTable& fold) : search_(query, fold) {}

  // The rows of the next day of the search, from its file's bytes; none
  // once the cap is reached.
  std::vector<SearchRow> Of(const SearchDay& day, std::string_view html);

  // A day had more occurrences than the cap left room for: the search ends.
  bool Capped() const { return capped_; }

 private:
  DaySearch search_;
  std::size_t rows_ = 0;
  bool capped_ = false;
};

}  // namespace corvane
