#include "viewer/export/history_days.h"

#include "viewer/history_tree/buddy_folders.h"

namespace corvane {
std::vector<HistoryDay> ListHistoryDays(const std::string& historyFolder, const HistoryScope& scope,
                                        const std::atomic<bool>& cancelled) {
  std::vector<HistoryDay> days;
  for (const BuddyFolder& buddy : ListBuddyFolders(historyFolder, scope.user, scope.buddy)) {
    if (cancelled) return days;
    const std::optional<std::string> folder =
        JoinHistoryPath(historyFolder, {buddy.user, buddy.buddy});
    if (!folder) continue;
    for (DayFileEntry& file : ListDayFiles(folder->c_str())) {
      if (scope.day && !(file.date == *scope.day)) continue;
      days.push_back(HistoryDay{buddy.user, buddy.buddy, std::move(file), buddy.linked});
    }
  }
  return days;
}

std::optional<std::string> DayFilePath(const std::string& historyFolder, const HistoryDay& day) {
  return JoinHistoryPath(historyFolder, {day.user, day.buddy, day.file.name});
}

}  // namespace corvane
