#include "viewer/export/old_days.h"

namespace corvane {

bool MayDeleteOldDay(const CalendarDate& date, std::uint64_t written, const CalendarDate& before,
                     const CalendarDate& today, std::uint64_t now) {
  return DateKey(date) < DateKey(before) && DateKey(date) < DateKey(today) && written <= now &&
         now - written > kRecentWriteTicks;
}

}  // namespace corvane
