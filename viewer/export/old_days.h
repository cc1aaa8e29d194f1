// Which day files Delete Old Days may take.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "viewer/days/history_day.h"
#include "viewer/history_tree/history_entries.h"

namespace corvane {

// A live conversation writes only into the day file of the local date at
// each write (a window opened before midnight starts a new block in the
// new day's file), so every earlier day file is finished, except one whose
// write began just before midnight.  A file written this recently may
// still be in a write.
inline constexpr std::uint64_t kRecentWriteTicks = 10ULL * 60 * 10'000'000;  // ten minutes

// True for a day before both `before` and `today` whose file was last
// written (`written`, in FILETIME ticks) more than kRecentWriteTicks before
// `now`; a file written after `now` (a clock set back) counts as recent.
bool MayDeleteOldDay(const CalendarDate& date, std::uint64_t written, const CalendarDate& before,
                     const CalendarDate& today, std::uint64_t now);

// Delete Old Days leaves the days whose folder was reached through a link:
// takes them out of `days`, which keeps its order, and says how many.
std::size_t TakeOutLinkedDays(std::vector<ListedDay>& days);

}  // namespace corvane
