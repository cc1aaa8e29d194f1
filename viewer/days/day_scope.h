// The days of a part of the history tree (every user, one user, or one
// user's buddy), as the viewer lists them, and the path of each: what the
// search reads, the index holds, an export writes and a deletion takes.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "viewer/days/day_listing.h"
#include "viewer/days/history_day.h"

namespace corvane {

// Whose history: every user's (user empty), one user's (buddy empty), one
// user's with one buddy, or one day of theirs.
struct HistoryScope {
  std::string user;
  std::string buddy;
  std::optional<CalendarDate> day;
};

// Every file the date list shows in scope, each buddy folder once
// (ListBuddyFolders), names found ignoring case as Windows opens them; in
// the folders' order, each folder's files in the file system's.  A buddy
// folder unchanged since `listing` last listed it is not listed again:
// the search's and the index's.  Listing a folder is mostly waiting on the
// file system (under Wine, on its server), so two threads list the folders
// in about half the time of one.  Empty once `cancelled`.
std::vector<ListedDay> ListDaysInScope(DayListing& listing, const std::string& historyFolder,
                                       const std::string& user, const std::string& buddy,
                                       const std::atomic<bool>& cancelled);

// The day files alone (of the scope's day, when it has one), listed
// afresh: what an export writes and a deletion takes must be the disk as it
// is now.
std::vector<ListedDay> ListDayFilesInScope(const std::string& historyFolder,
                                           const HistoryScope& scope,
                                           const std::atomic<bool>& cancelled);

// The day's file; nullopt where the path would not fit (such a file is
// never read).
std::optional<std::string> DayFilePath(const std::string& historyFolder, const HistoryDay& day);

// The days' files in their order, what a DayReader reads; empty where a
// path would not fit.
std::vector<std::string> DayFilePaths(const std::string& historyFolder,
                                      const std::vector<ListedDay>& days);

}  // namespace corvane
