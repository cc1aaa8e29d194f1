#include "viewer/export/old_days.h"

#include <algorithm>

namespace corvane {

bool MayDeleteOldDay(const CalendarDate& date, std::uint64_t written, const CalendarDate& before,
                     const CalendarDate& today, std::uint64_t now) {
  return DateKey(date) < DateKey(before) && DateKey(date) < DateKey(today) && written <= now &&
         now - written > kRecentWriteTicks;
}

std::size_t TakeOutLinkedDays(std::vector<ListedDay>& days) {
  const auto linked = std::stable_partition(days.begin(), days.end(),
                                            [](const ListedDay& day) { return !day.linked; });
  const auto count = static_cast<std::size_t>(days.end() - linked);
  days.erase(linked, days.end());
  return count;
}

}  // namespace corvane
