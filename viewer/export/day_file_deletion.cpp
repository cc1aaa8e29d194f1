#include "viewer/export/day_file_deletion.h"

#include <windows.h>

#include <set>

#include "viewer/history_tree/history_deletion.h"

namespace corvane {
namespace {

void RemoveEmptiedFolders(const std::string& history_folder, const std::vector<HistoryDay>& days) {
  std::set<std::pair<std::string, std::string>> buddies;
  std::set<std::string> users;
  for (const HistoryDay& day : days) {
    buddies.emplace(day.user, day.buddy);
    users.insert(day.user);
  }
  for (const auto& [user, buddy] : buddies) {
    if (const auto folder = JoinHistoryPath(history_folder, {user, buddy}))
      RemoveDirectoryA(folder->c_str());
  }
  for (const std::string& user : users) {
    if (const auto folder = JoinHistoryPath(history_folder, {user}))
      RemoveDirectoryA(folder->c_str());
  }
}

}  // namespace

std::vector<std::string> DeleteDayFiles(const std::string& history_folder,
                                        const std::vector<HistoryDay>& days,
                                        bool remove_emptied_folders) {
  std::vector<std::string> paths;
  paths.reserve(days.size());
  for (const HistoryDay& day : days) {
    if (std::optional<std::string> path = DayFilePath(history_folder, day))
      paths.push_back(std::move(*path));
  }
  DeleteToRecycleBin(paths);
  if (remove_emptied_folders) RemoveEmptiedFolders(history_folder, days);
  std::vector<std::string> gone;
  for (std::string& path : paths) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) gone.push_back(std::move(path));
  }
  return gone;
}

}  // namespace corvane
