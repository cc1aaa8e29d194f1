// The search index of the viewer's history folder, kept up to date on a
// thread of its own: from the viewer's start, and whenever the watch sees
// day files change, it indexes the days it does not hold as they are,
// newest first, at a lower priority and never while a search runs.  A
// search asks it which days can hold the query; the listing the search
// made decides which rows it may trust, so nothing is ever missed: a day
// new or changed since is read by the search itself, a day gone is gone.
//
// One process at a time writes an index (a named mutex says which); a
// missing, damaged or foreign index is made anew, one on a full disk or
// held by another program is left and tried again later, and searches
// read every day meanwhile.
#pragma once

#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/joined_thread.h"
#include "viewer/days/day_listing.h"
#include "viewer/days/day_reader.h"
#include "viewer/history_tree/folder_watch.h"
#include "viewer/html/text_find.h"
#include "viewer/search/day_index.h"

namespace corvane {

class SearchIndex {
 public:
  // Starts the indexer, which follows `watch` (not started yet) in
  // `listing`.  `fold` is the code page's case fold, by which names sort and
  // the index folds its texts.
  SearchIndex(std::string historyFolder, const FoldTable& fold, std::shared_ptr<DayListing> listing,
              std::shared_ptr<FolderWatch> watch);
  ~SearchIndex();
  SearchIndex(const SearchIndex&) = delete;
  SearchIndex& operator=(const SearchIndex&) = delete;

  // Stops the indexer at once (the viewer closes); what it committed stays
  // for the next start.  Searches read every day from then on.
  void Stop();

  struct Status {
    bool known = false;       // the indexer has listed the history
    std::size_t indexed = 0;  // days it holds as they are
    std::size_t total = 0;    // day files in the history folder
  };
  Status CurrentStatus() const;

  // Held by a running search: the indexer waits meanwhile, and the listing
  // has the changes reported before the search began.
  class SearchHold {
   public:
    explicit SearchHold(SearchIndex& index);
    ~SearchHold();
    SearchHold(const SearchHold&) = delete;
    SearchHold& operator=(const SearchHold&) = delete;

   private:
    SearchIndex& index_;
  };

  // The days of `days` (as listed) that a search for `query` through
  // `fold` must read, in their order; nullopt: all of them.  Days it does not hold
  // as listed are among them, and it indexes them next.
  std::optional<std::vector<ListedDay>> DaysToRead(const std::vector<ListedDay>& days,
                                                   std::string_view query, const FoldTable& fold);

  // The viewer deleted `path` (a day file, a buddy's or a user's folder, or
  // the history folder's "*.*"): its days leave the index now.
  void ForgetDeleted(const std::string& path);

 private:
  void Run();
  bool BecomeWriter(HANDLE mutex);
  std::shared_ptr<DayIndex> Open();
  bool OpenAndKeep();
  void Close();
  void PutOrSkip(DayIndex& index, const ListedDay& day, std::string_view text);
  void RemoveFiles() const;
  bool Keep(DayIndex& index);
  bool Pass(DayIndex& index);
  void RemoveDeleted(DayIndex& index);
  bool WaitWhileSearching(DayIndex* index);
  bool WaitForWork(DWORD timeoutMs);
  void SetStatus(std::size_t indexed, std::size_t total);
  void Kick();

  const std::string folder_;
  const FoldTable fold_;
  const std::shared_ptr<DayListing> listing_;
  const std::string path_;  // the database, in the ANSI code page; empty: no index
  std::atomic<bool> stopping_{false};
  // Held while searches run: the indexer's readers wait before their next
  // file, and the searches have the disk to themselves.
  ReadGate gate_;

  mutable std::mutex lock_;
  std::condition_variable wake_;
  bool kicked_ = false;              // under lock_
  int searches_ = 0;                 // under lock_
  std::vector<HistoryDay> deleted_;  // under lock_: scopes the viewer deleted
  std::shared_ptr<DayIndex> index_;  // under lock_: null while there is none to ask
  Status status_;                    // under lock_

  const std::shared_ptr<FolderWatch> watch_;
  FolderWatch::Subscription following_;
  JoinedThread thread_;
};

}  // namespace corvane
