// The search done the plain way, which the fast one is held to: a day is
// kept when its date's text lies between the ends as texts, its text is the
// view's own conversion, and each line's sender is worked out afresh from
// the line and those before it, one line after another.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/days/history_day.h"
#include "viewer/search/search_rows.h"

namespace corvane {

struct PlainRow {
  HistoryDay day;
  std::string text;     // the Text column
  std::uint32_t place;  // as SearchRowList::Row's
};

// Whether a day whose date text begins "yyyy-mm-dd" lies within the ends,
// both included; an empty end is no bound.
bool PlainDateWithin(std::string_view dateText, std::string_view from, std::string_view to);

// The rows of one day for `terms`, added to `rows`.
void AddPlainRows(const HistoryDay& day, std::string_view html, const SearchTerms& terms,
                  std::vector<PlainRow>& rows);

}  // namespace corvane
