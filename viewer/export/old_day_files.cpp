#include "viewer/export/old_day_files.h"

#include <windows.h>

#include <algorithm>

#include "common/file_time.h"
#include "viewer/export/old_days.h"

namespace corvane {

OldDays ListOldDays(const std::string& historyFolder, const HistoryScope& scope,
                    const CalendarDate& before, const std::atomic<bool>& cancelled) {
  std::vector<ListedDay> days = ListDayFilesInScope(historyFolder, scope, cancelled);
  // The hook library names day files by the local date; taken after the
  // listing, so that a day that began meanwhile counts as today.
  SYSTEMTIME local;
  GetLocalTime(&local);
  const CalendarDate today{local.wYear, local.wMonth, local.wDay};
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const std::uint64_t ticks = FileTimeTicks(now);
  days.erase(std::remove_if(days.begin(), days.end(),
                            [&](const ListedDay& day) {
                              return !MayDeleteOldDay(*day.dayFileDate, day.written, before, today,
                                                      ticks);
                            }),
             days.end());
  const std::size_t linked = TakeOutLinkedDays(days);
  return OldDays{std::move(days), linked};
}

std::uint64_t TotalBytes(const std::vector<ListedDay>& days) {
  std::uint64_t total = 0;
  for (const ListedDay& day : days) total += day.size;
  return total;
}

}  // namespace corvane
