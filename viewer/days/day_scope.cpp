#include "viewer/days/day_scope.h"

#include <exception>
#include <functional>
#include <memory>
#include <utility>

#include "common/joined_thread.h"
#include "viewer/history_tree/buddy_folders.h"
#include "viewer/history_tree/history_entries.h"
#include "viewer/history_tree/history_tree.h"

namespace corvane {
namespace {

using ListFolder = std::function<DayListing::Entries(const std::string& folder)>;

// Each folder's entries, listed by `list` on this thread and a helper.  A
// failure (out of memory) stops both threads and is thrown on.
std::vector<DayListing::Entries> ListEachFolder(const std::string& historyFolder,
                                                const std::vector<BuddyFolder>& folders,
                                                const ListFolder& list,
                                                const std::atomic<bool>& cancelled) {
  std::vector<DayListing::Entries> days(folders.size());
  std::atomic<std::size_t> next{0};
  std::exception_ptr failures[2];
  const auto listFolders = [&](std::exception_ptr& failure) {
    try {
      for (std::size_t i = next++; i < folders.size() && !cancelled; i = next++) {
        const std::optional<std::string> folder =
            JoinHistoryPath(historyFolder, {folders[i].user, folders[i].buddy});
        if (folder) days[i] = list(*folder);
      }
    } catch (...) {
      failure = std::current_exception();
      next = folders.size();
    }
  };
  // Without a second thread this one lists every folder.
  JoinedThread helper([&](const StopRequest&) { listFolders(failures[1]); });
  listFolders(failures[0]);
  helper.Stop();
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
  return days;
}

// With `dayFilesOnly`, the files named in the day-file form alone, each
// with its date, and of those only the scope's day when it has one.
std::vector<ListedDay> ListScope(const std::string& historyFolder, const HistoryScope& scope,
                                 const std::vector<BuddyFolder>& folders, const ListFolder& list,
                                 bool dayFilesOnly, const std::atomic<bool>& cancelled) {
  if (cancelled) return {};
  const std::vector<DayListing::Entries> days =
      ListEachFolder(historyFolder, folders, list, cancelled);
  if (cancelled) return {};

  std::size_t count = 0;
  for (const DayListing::Entries& entries : days) count += entries ? entries->size() : 0;
  std::vector<ListedDay> listed;
  listed.reserve(count);
  for (std::size_t i = 0; i < folders.size(); ++i) {
    if (!days[i]) continue;
    for (const HistoryEntry& entry : *days[i]) {
      std::optional<CalendarDate> date;
      if (dayFilesOnly && !(date = ParseDayFileName(DateEntryFileName(entry.text)))) continue;
      if (scope.day && !(*date == *scope.day)) continue;
      listed.push_back(ListedDay{HistoryDay{folders[i].user, folders[i].buddy, entry.text},
                                 entry.size, entry.written, date, folders[i].linked});
    }
  }
  return listed;
}

}  // namespace

std::vector<ListedDay> ListDaysInScope(DayListing& listing, const std::string& historyFolder,
                                       const std::string& user, const std::string& buddy,
                                       const std::atomic<bool>& cancelled) {
  listing.Begin(historyFolder);
  return ListScope(
      historyFolder, HistoryScope{user, buddy, {}}, *listing.BuddyFolders(user, buddy),
      [&listing](const std::string& folder) { return listing.Days(folder); }, false, cancelled);
}

std::vector<ListedDay> ListDayFilesInScope(const std::string& historyFolder,
                                           const HistoryScope& scope,
                                           const std::atomic<bool>& cancelled) {
  return ListScope(
      historyFolder, scope, ListBuddyFolders(historyFolder, scope.user, scope.buddy),
      [](const std::string& folder) {
        return std::make_shared<const std::vector<HistoryEntry>>(
            ListHistoryEntries(folder.c_str(), HistoryLevel::kDates));
      },
      true, cancelled);
}

std::optional<std::string> DayFilePath(const std::string& historyFolder, const HistoryDay& day) {
  return JoinHistoryPath(historyFolder, {day.user, day.buddy, DateEntryFileName(day.date)});
}

std::vector<std::string> DayFilePaths(const std::string& historyFolder,
                                      const std::vector<ListedDay>& days) {
  std::vector<std::string> paths;
  paths.reserve(days.size());
  for (const ListedDay& day : days)
    paths.push_back(DayFilePath(historyFolder, day.day).value_or(""));
  return paths;
}

}  // namespace corvane
