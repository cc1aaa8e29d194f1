#include "viewer/export/history_days.h"

#include <windows.h>

namespace corvane {
namespace {

// The folders of `parent` at `level` that the scope's `name` picks: all of
// them for an empty name, else the one named so ignoring case.
std::vector<std::string> Picked(const std::string& parent, HistoryLevel level,
                                const std::string& name) {
  std::vector<std::string> folders = ListHistoryLevel(parent.c_str(), level);
  if (name.empty()) return folders;
  for (std::string& folder : folders) {
    if (lstrcmpiA(folder.c_str(), name.c_str()) == 0) return {std::move(folder)};
  }
  return {};
}

}  // namespace

std::vector<HistoryDay> ListHistoryDays(const std::string& historyFolder, const HistoryScope& scope,
                                        const std::atomic<bool>& cancelled) {
  std::vector<HistoryDay> days;
  for (const std::string& user : Picked(historyFolder, HistoryLevel::kUsers, scope.user)) {
    const std::optional<std::string> userFolder = JoinHistoryPath(historyFolder, {user});
    if (!userFolder) continue;
    for (const std::string& buddy : Picked(*userFolder, HistoryLevel::kBuddies, scope.buddy)) {
      if (cancelled) return days;
      const std::optional<std::string> folder = JoinHistoryPath(*userFolder, {buddy});
      if (!folder) continue;
      for (DayFileEntry& file : ListDayFiles(folder->c_str())) {
        if (scope.day && !(file.date == *scope.day)) continue;
        days.push_back(HistoryDay{user, buddy, std::move(file)});
      }
    }
  }
  return days;
}

std::optional<std::string> DayFilePath(const std::string& historyFolder, const HistoryDay& day) {
  return JoinHistoryPath(historyFolder, {day.user, day.buddy, day.file.name});
}

}  // namespace corvane
