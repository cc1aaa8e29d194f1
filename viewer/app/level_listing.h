// One level of the history tree (the users, a user's buddies, a buddy's
// days) listed and sorted on a thread of its own, so that the window's
// thread only fills its list: Wine lists 30,000 buddy folders in a second.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "common/joined_thread.h"
#include "viewer/app/list_merge.h"
#include "viewer/framework/worker_news.h"
#include "viewer/history_tree/history_tree.h"

namespace corvane {

struct ListedLevel {
  HistoryLevel level = HistoryLevel::kUsers;
  std::vector<std::string> texts;  // in the order of the list that shows them
  ListedEntries entries;           // the same texts, to merge against
};

class LevelListing {
 public:
  // The window hears of each listing by `message`, which may come more
  // than once for it, or for a listing dropped since.
  LevelListing(HWND window, UINT message) : news_(window, message, 0) {}
  LevelListing(const LevelListing&) = delete;
  LevelListing& operator=(const LevelListing&) = delete;

  // Lists `level` of `folder` and sorts it as a list of `locale` sorts;
  // the listing asked before is dropped, done or not.
  void Start(HistoryLevel level, std::string folder, LCID locale);
  // Drops the listing under way or done and not taken.
  void Drop();
  // The listing asked last, once it is done; once only.
  std::optional<ListedLevel> Take();
  // A listing was asked and not yet taken or dropped.
  bool Pending() const { return pending_; }

 private:
  WorkerNews<std::optional<ListedLevel>> news_;
  bool pending_ = false;
  JoinedThread thread_;  // last: stopped before the news it reports to goes
};

}  // namespace corvane
