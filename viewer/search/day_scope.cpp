#include "viewer/search/day_scope.h"

#include <exception>
#include <functional>
#include <utility>

#include "common/joined_thread.h"
#include "viewer/history_tree/buddy_folders.h"
#include "viewer/history_tree/history_entries.h"
#include "viewer/history_tree/history_tree.h"

namespace corvane {

std::vector<ListedDay> ListDaysInScope(DayListing& listing, const std::string& historyFolder,
                                       const std::string& user, const std::string& buddy,
                                       const std::atomic<bool>& cancelled) {
  listing.Begin(historyFolder);
  std::vector<SearchDay> folders;  // dates empty
  for (BuddyFolder& folder : ListBuddyFolders(historyFolder, user, buddy))
    folders.push_back(SearchDay{std::move(folder.user), std::move(folder.buddy), {}});
  if (cancelled) return {};
  std::vector<DayListing::Entries> days(folders.size());
  std::atomic<std::size_t> next{0};
  // A failure (out of memory) stops both threads and is thrown on.
  std::exception_ptr failures[2];
  const auto listFolders = [&](std::exception_ptr& failure) {
    try {
      for (std::size_t i = next++; i < folders.size() && !cancelled; i = next++) {
        const std::optional<std::string> folder =
            JoinHistoryPath(historyFolder, {folders[i].user, folders[i].buddy});
        if (folder) days[i] = listing.Days(*folder);
      }
    } catch (...) {
      failure = std::current_exception();
      next = folders.size();
    }
  };
  JoinedThread helper([&](const StopRequest&) { listFolders(failures[1]); });
  listFolders(failures[0]);
  helper.Stop();
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
  if (cancelled) return {};

  std::size_t count = 0;
  for (const DayListing::Entries& entries : days) count += entries ? entries->size() : 0;
  std::vector<ListedDay> listed;
  listed.reserve(count);
  for (std::size_t i = 0; i < folders.size(); ++i) {
    if (!days[i]) continue;
    for (const HistoryEntry& entry : *days[i]) {
      listed.push_back(ListedDay{SearchDay{folders[i].user, folders[i].buddy, entry.text},
                                 entry.size, entry.written});
    }
  }
  return listed;
}

std::optional<std::string> DayFilePath(const std::string& historyFolder, const SearchDay& day) {
  return JoinHistoryPath(historyFolder, {day.user, day.buddy, DateEntryFileName(day.date)});
}

}  // namespace corvane
