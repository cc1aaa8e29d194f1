// The search index's database: SQLite, in WAL mode, with one row per day
// file (its user, buddy, date, size and last write time) and an FTS5 table
// of the days' texts under the trigram tokenizer.  The FTS5 table keeps no
// copy of the texts (contentless) and no positions (detail=none): it only
// tells which days hold every piece of a query, which is all a search asks
// of it, in a small fraction of the texts' size.
//
// One connection per thread that uses it: the indexer writes through its
// own, searches read through another and never wait for the writer.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <sqlite3.h>

#include "common/unique_handle.h"
#include "viewer/html/text_find.h"
#include "viewer/search/index_plan.h"

namespace corvane {

// A connection closes once its statements are finalized too, in any order.
using OwnedDatabase = UniqueHandle<ReleasedBy<sqlite3*, sqlite3_close_v2>>;
using OwnedStatement = UniqueHandle<ReleasedBy<sqlite3_stmt*, sqlite3_finalize>>;

// A failed SQLite call.
class IndexError : public std::runtime_error {
 public:
  IndexError(int code, const std::string& what);
  int Code() const { return code_; }
  // The file is no database, or a damaged one: only making it anew helps.
  bool Damaged() const;
  // SQLite ran out of memory, or the text is larger than it takes.
  bool OutOfMemory() const;

 private:
  int code_;
};

class SearchIndexDb {
 public:
  // Opens the database file at `path`; the writer creates it when missing.
  // Defensive: the file's schema may not be written to directly, and its
  // triggers and views never run.  Throws IndexError.
  SearchIndexDb(const std::string& path, bool writer);
  ~SearchIndexDb();
  SearchIndexDb(const SearchIndexDb&) = delete;
  SearchIndexDb& operator=(const SearchIndexDb&) = delete;

  // The writer's first call: fails as damaged on a file that fails
  // SQLite's check or holds tables other than the index's; makes the tables, or empties them when
  // they were made by another version of the index, for another history folder or for another fold
  // of the letters.
  void Prepare(std::string_view historyFolder, const FoldTable& fold);
  // In a read: whether the tables are this version's, for this folder and
  // fold (a reader that finds them otherwise must not use them).
  bool Fits(std::string_view historyFolder, const FoldTable& fold);

  // A read sees one committed state throughout; a write is the writer's.
  void BeginRead();
  void BeginWrite();
  void EndRead();
  // Ends the write; the count of writes the index has had, this one included.
  std::uint64_t Commit();
  void Rollback();

  // In a read or write.
  std::uint64_t Commits();
  IndexRows Rows();
  // Ascending ids of the documents that hold every token of the FTS5 query
  // `match`; ids whose row is gone may be among them.
  std::vector<std::int64_t> Proposed(const std::string& match);
  // Text no row holds any more, which the FTS5 table still lists.
  std::uint64_t Garbage();

  // In a write.  The day's row and document as now (`held`: its row, when
  // there is one); the row after.  A document written again keeps its id and
  // adds its tokens to those it had: a day that only grew loses nothing, a
  // day that shrank leaves tokens that may propose it in vain, counted as
  // garbage.
  IndexedDay Put(const ListedDay& day, std::string_view indexedText, const IndexedDay* held);
  void Remove(const IndexedDay& row);
  // Every row and document gone, to be indexed anew.
  void Empty();

  // Makes a running call of another thread fail at once.
  void Interrupt();

 private:
  class Statement;
  void CheckIsOurs();
  void Execute(const char* sql);
  std::string Meta(const char* key);
  void SetMeta(const char* key, std::string_view value);
  void AddGarbage(std::uint64_t bytes);

  const bool writer_;
  OwnedDatabase db_;
  std::vector<OwnedStatement> statements_;
};

}  // namespace corvane
