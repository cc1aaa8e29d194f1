#include "viewer/export/day_file_deletion.h"

#include <windows.h>

#include <set>

#include "viewer/history_tree/buddy_folders.h"
#include "viewer/history_tree/history_deletion.h"

namespace corvane {
namespace {

// Buddy folders first: a user folder can be empty only once they are gone.
std::vector<std::string> BuddiesThenUsers(
    const std::string& historyFolder,
    const std::set<std::pair<std::string, std::string>>& buddies) {
  std::vector<std::string> folders;
  std::set<std::string> users;
  for (const auto& [user, buddy] : buddies) {
    if (const auto folder = JoinHistoryPath(historyFolder, {user, buddy}))
      folders.push_back(*folder);
    users.insert(user);
  }
  for (const std::string& user : users) {
    if (const auto folder = JoinHistoryPath(historyFolder, {user})) folders.push_back(*folder);
  }
  return folders;
}

}  // namespace

std::vector<std::string> DeletableDayFilePaths(const std::string& historyFolder,
                                               const std::vector<ListedDay>& days) {
  std::vector<std::string> paths;
  paths.reserve(days.size());
  for (const ListedDay& day : days) {
    if (day.linked) continue;
    if (std::optional<std::string> path = DayFilePath(historyFolder, day.day))
      paths.push_back(std::move(*path));
  }
  return paths;
}

std::vector<std::string> FoldersOfDays(const std::string& historyFolder,
                                       const std::vector<ListedDay>& days) {
  std::set<std::pair<std::string, std::string>> buddies;
  for (const ListedDay& day : days) {
    if (!day.linked) buddies.emplace(day.day.user, day.day.buddy);
  }
  return BuddiesThenUsers(historyFolder, buddies);
}

std::vector<std::string> FoldersInScope(const std::string& historyFolder,
                                        const HistoryScope& scope) {
  if (scope.day) return {};
  std::set<std::pair<std::string, std::string>> buddies;
  for (const BuddyFolder& buddy : ListBuddyFolders(historyFolder, scope.user, scope.buddy)) {
    if (!buddy.linked) buddies.emplace(buddy.user, buddy.buddy);
  }
  return BuddiesThenUsers(historyFolder, buddies);
}

bool BuddyFolderIsLinked(const std::string& historyFolder, const std::string& user,
                         const std::string& buddy) {
  for (const BuddyFolder& folder : ListBuddyFolders(historyFolder, user, buddy)) {
    if (!folder.linked) return false;
  }
  return true;
}

std::vector<std::string> DeleteDayFiles(const std::vector<std::string>& dayFiles,
                                        const std::vector<std::string>& folders) {
  DeleteToRecycleBin(dayFiles);
  for (const std::string& folder : folders) RemoveDirectoryA(folder.c_str());
  std::vector<std::string> gone;
  for (const std::string& path : dayFiles) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) gone.push_back(path);
  }
  return gone;
}

}  // namespace corvane
