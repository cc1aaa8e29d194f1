// The day files of a part of the history tree: what an export writes and
// what Delete Old Days counts and deletes.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "viewer/history_tree/history_tree.h"

namespace corvane {

// Whose history: every user's (user empty), one user's (buddy empty), one
// user's with one buddy, or one day of theirs.
struct HistoryScope {
  std::string user;
  std::string buddy;
  std::optional<CalendarDate> day;
};

struct HistoryDay {
  std::string user;  // the folders' names as on disk
  std::string buddy;
  DayFileEntry file;
  bool linked = false;  // its folder was reached through a link: it is never deleted
};

// Every day file in scope, in no particular order, each buddy folder once
// (ListBuddyFolders).  The scope's names find their folders ignoring case,
// as Windows opens them.  Stops listing when `cancelled` is set and
// returns what it has.
std::vector<HistoryDay> ListHistoryDays(const std::string& historyFolder, const HistoryScope& scope,
                                        const std::atomic<bool>& cancelled);

// The day's file in the tree; nullopt when the path would not fit.
std::optional<std::string> DayFilePath(const std::string& historyFolder, const HistoryDay& day);

}  // namespace corvane
