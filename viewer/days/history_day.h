// The day of a history that the search, the index, the export and every
// deletion work on, as its folder lists it; the order the search reads
// days in, which is the order of its rows: newest date first, then by user
// and buddy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "viewer/history_tree/date_range.h"
#include "viewer/html/text_find.h"

namespace corvane {

// A day by its names: what the search's rows and the index's rows hold.
struct HistoryDay {
  std::string user;  // the folders' names as on disk
  std::string buddy;
  std::string date;  // the date list's text, e.g. "2002-06-14 [Friday]"
};

// A file of the date list as its folder lists it.  The size and write time
// tell whether it changed since the search index read it.
struct ListedDay {
  HistoryDay day;
  std::uint64_t size = 0;
  std::uint64_t written = 0;  // last write time, in FILETIME ticks
  // The day of a file named in the day-file form the hook library writes,
  // the only files an export or a deletion takes (ListDayFilesInScope); the
  // search, which reads every file the date list shows ("notes.html" too),
  // leaves it unset.
  std::optional<CalendarDate> dayFileDate = std::nullopt;
  bool linked = false;  // its folder was reached through a link: it is never deleted
};

// Each byte as CharLowerBuff lowers it in the system's ANSI code page, so
// that "Ä" compares as "ä" (ansi_fold.cpp, Windows only).  Made once per
// search, then handed to the plain matchers.
FoldTable MakeAnsiLowerFold();

// -1, 0 or 1 as a sorts before, with or after b: compared through `fold`,
// texts equal there by their bytes.
int CompareFolded(const std::string& a, const std::string& b, const FoldTable& fold);

// Dates compare as their zero-padded texts do, newest first; users and then
// buddies ascending.  Texts compare through `fold` (the code page's case
// folding, as the viewer's sorted lists ignore case), equal ones by their
// bytes, so the order is the same on every run.
void SortNewestFirst(std::vector<ListedDay>& days, const FoldTable& fold);

// Leaves the days whose dates `range` holds, in their order.
void KeepDaysInRange(std::vector<ListedDay>& days, const DateRange& range);

// Counts as the viewer's windows and command line write them.  "1,234":
// the number with its thousands separated by commas.
std::string GroupedNumber(std::size_t n);

// "1 day", "1,234 days".
std::string DaysText(std::size_t days);

}  // namespace corvane
