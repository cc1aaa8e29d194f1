// Which directory entries the viewer lists at each level of the history tree
// and the text it shows for them.  The lists are sorted by the controls
// themselves; the zero-padded dates at the start of day-file names keep the
// date list oldest first.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// "." and "..", by exact comparison.  Every other folder is listed under its
// own name as a user, or one level down as a buddy.
bool IsDotEntry(std::string_view name);

// The date-list text of a file at the date level: the name without its
// ".html" suffix (matched in any case), e.g. "2002-06-14 [Friday]".  Files
// without the suffix are not listed.  Folders at that level never are.
std::optional<std::string> DateEntryText(std::string_view fileName);

// The file name a date-list text stands for.
std::string DateEntryFileName(std::string_view dateText);

// A calendar day of the Gregorian calendar, years 1 to 9999.
struct CalendarDate {
  int year = 0;
  int month = 0;
  int day = 0;
};

inline bool operator==(const CalendarDate& a, const CalendarDate& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

// One number per day, increasing with the date: comparable and sortable.
inline int DateKey(const CalendarDate& date) {
  return date.year * 10000 + date.month * 100 + date.day;
}

// 0 for Sunday to 6 for Saturday.
int WeekdayOf(const CalendarDate& date);

// "yyyy-mm-dd", exactly: four, two and two digits of a real day; nothing
// for anything else ("2005-1-1", "2005-02-30", " 2005-01-01").
std::optional<CalendarDate> ParseIsoDate(std::string_view text);

// "2005-01-01".
std::string IsoDateText(const CalendarDate& date);

// The day of a file whose name has the day-file form the hook library
// writes, "yyyy-mm-dd [Weekday].html" (in any case, as Windows compares
// names), for a real day and its own day of the week; nothing for every
// other name, "notes.html" or "2005-01-01 [Monday].html" among them.
std::optional<CalendarDate> ParseDayFileName(std::string_view fileName);

}  // namespace corvane
