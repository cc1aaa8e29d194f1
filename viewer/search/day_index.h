// The search index of one history folder: the database, a connection for
// the searches and one for its single writer, and the rows as the writer
// last committed them, so that a search compares the listing with them
// without reading every row.  Platform-free: the viewer runs the writer on
// a thread of its own (search_index.h); the oracle test drives it directly.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "viewer/html/text_find.h"
#include "viewer/search/index_plan.h"
#include "viewer/search/index_text.h"
#include "viewer/search/search_index_db.h"

namespace corvane {

// The days of `days` that a search for `query` through `searchFold` must
// read, asked of the index at `path` (UTF-8) without writing it, for a
// process that keeps no index of its own (the command line) while a viewer
// may be writing it; `indexFold` is the fold the index was made with.
// nullopt when there is none to ask or it cannot answer: every day is read.
std::optional<std::vector<ListedDay>> DaysToReadFromIndexFile(
    const std::string& path, const std::string& historyFolder, const FoldTable& indexFold,
    const std::vector<ListedDay>& days, std::string_view query, const FoldTable& searchFold);

class DayIndex {
 public:
  // Opens the database at `path` (UTF-8), made anew when it belongs to
  // another version, folder or fold.  Texts are indexed through `fold`, the
  // case-insensitive fold of the code page.  Throws IndexError.
  DayIndex(const std::string& path, const std::string& historyFolder, const FoldTable& fold);

  // For a search of `query` compared through `searchFold`: the days of
  // `days` that can hold it, in their order; `unheld` counts those
  // among them the index does not hold as listed.  nullopt when the index
  // cannot answer (a short query, another fold, a failing database): the
  // search reads every day.  Any thread.
  std::optional<std::vector<ListedDay>> DaysToRead(const std::vector<ListedDay>& days,
                                                   std::string_view query,
                                                   const FoldTable& searchFold,
                                                   std::size_t& unheld);

  // The writer's side, from one thread.  What to do for the listing of the
  // whole history (newest first).
  IndexWork Plan(const std::vector<ListedDay>& listed);
  // Writes go into a transaction that Commit ends.  The day's file, from
  // its HTML, or from the text MakeIndexText made of it.
  void Put(const ListedDay& day, std::string_view html);
  void PutIndexed(const ListedDay& day, std::string_view indexedText);
  void Remove(const std::vector<std::int64_t>& ids);
  // The rows of every day of `scope`, whose empty names stand for any.
  void RemoveWithin(const HistoryDay& scope);
  void Commit();
  // Drops the open write after a failure.
  void Abandon();
  // Whether so much indexed text belongs to no day any more that the index
  // is better made anew; Empty does that (in a write).
  bool WantsRebuild();
  void Empty();

  // The fold the index's texts go through.
  const FoldTable& Fold() const { return fold_; }

  // Makes the writer's running call fail at once (from another thread).
  void InterruptWriter() { writer_.Interrupt(); }

  // A search found the file damaged: it must be made anew.
  bool FoundDamaged() const { return damaged_; }

 private:
  // nullopt: removed.
  using Changes =
      std::unordered_map<HistoryDay, std::optional<IndexedDay>, HistoryDayHash, SameDay>;
  void BeginWriteOnce();

  const std::string folder_;
  const FoldTable fold_;
  IndexTextBuffers textBuffers_;
  SearchIndexDb writer_;
  bool writing_ = false;
  bool emptied_ = false;  // in the open write
  Changes changes_;       // of the open write, after emptied_

  std::mutex readerLock_;
  SearchIndexDb reader_;  // under reader_lock_
  std::atomic<bool> damaged_{false};

  std::mutex rowsLock_;
  IndexRows rows_;             // under rows_lock_: as of commit commits_
  std::uint64_t commits_ = 0;  // under rows_lock_
};

// The index at `path`, made anew (after `removeFiles` took the file and its
// logs away) when the file proves damaged: SQLite finds it corrupt or no
// database, it fails its check, or it holds tables another program made.
// nullptr when it cannot be opened now for any other reason (a full disk, a
// file another program holds): the file is left as it is, to be tried
// again later.
std::shared_ptr<DayIndex> OpenDayIndex(const std::string& path, const std::string& historyFolder,
                                       const FoldTable& fold,
                                       const std::function<void()>& removeFiles);

}  // namespace corvane
