// The levels of the history tree (the users, a user's buddies, a buddy's
// days) listed and sorted on a thread of its own, so that the window's
// thread only fills its lists: Wine lists 30,000 buddy folders in a second.
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

// A level's folder, and the locale of the list that shows it.
struct LevelToList {
  HistoryLevel level = HistoryLevel::kUsers;
  std::string folder;
  LCID locale = 0;
};

struct ListedLevel {
  HistoryLevel level = HistoryLevel::kUsers;
  std::vector<std::string> texts;  // in the order of the list that shows them
  // The same texts as FoldedName folds them, held once, as its purpose
  // uses them: in the same order, for a merge to look each up in a list's
  // entries; or as the entries of the list that a fill fills.
  std::vector<std::string> folded;
  ListedEntries entries;
};

// A level listed to fill its emptied list, or the levels below the
// selection listed to merge into their lists what the lists miss.
enum class ListingPurpose { kFill, kMerge };

struct Listing {
  ListingPurpose purpose = ListingPurpose::kFill;
  std::vector<ListedLevel> levels;  // in the order asked
};

class LevelListing {
 public:
  // The window hears of each listing by `message`, which may come more
  // than once for it, or for a listing dropped since.
  LevelListing(HWND window, UINT message) : news_(window, message, 0) {}
  LevelListing(const LevelListing&) = delete;
  LevelListing& operator=(const LevelListing&) = delete;

  // Lists each of `levels` and sorts it as its list sorts; the listing
  // asked before is dropped, done or not.
  void Start(ListingPurpose purpose, std::vector<LevelToList> levels);
  // Drops the listing under way or done and not taken.
  void Drop();
  // The listing asked last, once it is done; once only.
  std::optional<Listing> Take();
  // A listing was asked and not yet taken or dropped.
  bool Pending() const { return pending_.has_value(); }
  // A merge was asked and not yet taken or dropped.
  bool Merging() const { return pending_ == ListingPurpose::kMerge; }

 private:
  WorkerNews<std::optional<Listing>> news_;
  std::optional<ListingPurpose> pending_;
  JoinedThread thread_;  // last: stopped before the news it reports to goes
};

}  // namespace corvane
