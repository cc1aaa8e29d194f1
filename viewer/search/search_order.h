// Which days of a history the search reads, and in which order, which is
// the order of its rows: newest date first, then by user and buddy.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "viewer/history_tree/date_range.h"
#include "viewer/html/text_find.h"

namespace corvane {

struct SearchDay {
  std::string user;
  std::string buddy;
  std::string date;  // the date list's text, e.g. "2002-06-14 [Friday]"
};

// -1, 0 or 1 as a sorts before, with or after b: compared through `fold`,
// texts equal there by their bytes.
int CompareFolded(const std::string& a, const std::string& b, const FoldTable& fold);
// A day file as its folder lists it: what tells whether it changed since
// the search index read it.
struct ListedDay {
  SearchDay day;
  std::uint64_t size = 0;
  std::uint64_t written = 0;  // last write time, in FILETIME ticks
};

// Dates compare as their zero-padded texts do, newest first; users and then
// buddies ascending.  Texts compare through `fold` (the code page's case
// folding, as the viewer's sorted lists ignore case), equal ones by their
// bytes, so the order is the same on every run.
void SortNewestFirst(std::vector<ListedDay>& days, const FoldTable& fold);

// Leaves the days whose dates `range` holds, in their order.
void KeepDaysInRange(std::vector<ListedDay>& days, const DateRange& range);

}  // namespace corvane
