// The day files Delete Old Days and /delete-before take: those in scope
// before a date that MayDeleteOldDay allows, by this machine's clock.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "viewer/days/day_scope.h"

namespace corvane {

struct OldDays {
  std::vector<ListedDay> days;  // to delete
  std::size_t linked = 0;       // left, as reached through a link
};

OldDays ListOldDays(const std::string& historyFolder, const HistoryScope& scope,
                    const CalendarDate& before, const std::atomic<bool>& cancelled);

std::uint64_t TotalBytes(const std::vector<ListedDay>& days);

}  // namespace corvane
