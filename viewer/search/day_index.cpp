#include "viewer/search/day_index.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

#include "viewer/search/index_text.h"

namespace corvane {
namespace {

// The index is made anew once more than this share of the text it lists
// belongs to no day (deleted days, days that shrank), and at least this
// much: till then, such text only proposes a day in vain now and then.
constexpr std::uint64_t kRebuildShare = 2;  // garbage over live text
constexpr std::uint64_t kLeastRebuildBytes = 1 << 20;

// The index's query for `query` through `searchFold`; nullopt when the
// index cannot answer it.  A match through the identity (Match case) is one
// through the index's fold too; any other fold could match what the
// index's does not.
std::optional<std::string> IndexMatchFor(std::string_view query, const FoldTable& searchFold,
                                         const FoldTable& indexFold) {
  if (searchFold != indexFold && searchFold != IdentityFold()) return std::nullopt;
  return IndexQueryOf(query, indexFold);
}

}  // namespace

std::optional<std::vector<ListedDay>> DaysToReadFromIndexFile(
    const std::string& path, const std::string& historyFolder, const FoldTable& indexFold,
    const std::vector<ListedDay>& days, std::string_view query, const FoldTable& searchFold) {
  const std::optional<std::string> match = IndexMatchFor(query, searchFold, indexFold);
  if (!match) return std::nullopt;
  try {
    SearchIndexDb reader(path, false);
    reader.BeginRead();
    std::optional<std::vector<ListedDay>> toRead;
    if (reader.Fits(historyFolder, indexFold)) {
      std::size_t unheld = 0;
      toRead = PlanSearch(days, reader.Rows(), reader.Proposed(*match), unheld);
    }
    reader.EndRead();
    return toRead;
  } catch (const IndexError&) {
    // No index yet, or one being made anew: the days are read.
    return std::nullopt;
  }
}

DayIndex::DayIndex(const std::string& path, const std::string& historyFolder, const FoldTable& fold)
    : folder_(historyFolder), fold_(fold), writer_(path, true), reader_(path, false) {
  writer_.Prepare(folder_, fold_);
  writer_.BeginRead();
  try {
    rows_ = writer_.Rows();
    commits_ = writer_.Commits();
  } catch (...) {
    writer_.Rollback();
    throw;
  }
  writer_.EndRead();
}

std::optional<std::vector<ListedDay>> DayIndex::DaysToRead(const std::vector<ListedDay>& days,
                                                           std::string_view query,
                                                           const FoldTable& searchFold,
                                                           std::size_t& unheld) {
  const std::optional<std::string> match = IndexMatchFor(query, searchFold, fold_);
  if (!match) return std::nullopt;
  std::lock_guard<std::mutex> readerGuard(readerLock_);
  try {
    reader_.BeginRead();
    if (!reader_.Fits(folder_, fold_)) {
      reader_.EndRead();
      return std::nullopt;
    }
    const std::uint64_t commits = reader_.Commits();
    const std::vector<std::int64_t> proposed = reader_.Proposed(*match);
    std::vector<ListedDay> toRead;
    {
      // The rows must be those of the same commit as the proposals: a day
      // indexed again since could hold the query now without being proposed.
      std::unique_lock<std::mutex> rowsGuard(rowsLock_);
      if (commits == commits_) {
        toRead = PlanSearch(days, rows_, proposed, unheld);
      } else {
        rowsGuard.unlock();
        toRead = PlanSearch(days, reader_.Rows(), proposed, unheld);
      }
    }
    reader_.EndRead();
    return toRead;
  } catch (const IndexError& error) {
    reader_.Rollback();
    if (error.Damaged()) damaged_ = true;
    return std::nullopt;
  }
}

IndexWork DayIndex::Plan(const std::vector<ListedDay>& listed) {
  std::lock_guard<std::mutex> guard(rowsLock_);
  return PlanIndexing(listed, rows_);
}

void DayIndex::BeginWriteOnce() {
  if (writing_) return;
  writer_.BeginWrite();
  writing_ = true;
}

void DayIndex::Put(const ListedDay& day, std::string_view html) {
  std::string indexed(html);
  MakeIndexText(indexed, fold_, textBuffers_);
  PutIndexed(day, indexed);
}

void DayIndex::PutIndexed(const ListedDay& day, std::string_view indexedText) {
  std::optional<IndexedDay> held;
  if (!emptied_) {
    std::lock_guard<std::mutex> guard(rowsLock_);
    const auto row = rows_.find(day.day);
    if (row != rows_.end()) held = row->second;
  }
  const auto changed = changes_.find(day.day);
  if (changed != changes_.end()) held = changed->second;
  BeginWriteOnce();
  changes_[day.day] = writer_.Put(day, indexedText, held ? &*held : nullptr);
}

void DayIndex::Remove(const std::vector<std::int64_t>& ids) {
  if (ids.empty()) return;
  const std::unordered_set<std::int64_t> wanted(ids.begin(), ids.end());
  std::vector<std::pair<HistoryDay, IndexedDay>> removed;
  {
    std::lock_guard<std::mutex> guard(rowsLock_);
    for (const auto& [day, row] : rows_) {
      if (wanted.count(row.id) != 0) removed.emplace_back(day, row);
    }
  }
  BeginWriteOnce();
  for (const auto& [day, row] : removed) {
    writer_.Remove(row);
    changes_[day] = std::nullopt;
  }
}

void DayIndex::RemoveWithin(const HistoryDay& scope) {
  const auto within = [](const std::string& name, const std::string& wanted) {
    return wanted.empty() || name == wanted;
  };
  std::vector<std::int64_t> ids;
  {
    std::lock_guard<std::mutex> guard(rowsLock_);
    for (const auto& [day, row] : rows_) {
      if (within(day.user, scope.user) && within(day.buddy, scope.buddy) &&
          within(day.date, scope.date)) {
        ids.push_back(row.id);
      }
    }
  }
  Remove(ids);
}

void DayIndex::Commit() {
  if (!writing_) return;
  const std::uint64_t commits = writer_.Commit();
  writing_ = false;
  std::lock_guard<std::mutex> guard(rowsLock_);
  if (emptied_) rows_.clear();
  for (const auto& [day, row] : changes_) {
    if (row) {
      rows_[day] = *row;
    } else {
      rows_.erase(day);
    }
  }
  commits_ = commits;
  changes_.clear();
  emptied_ = false;
}

void DayIndex::Abandon() {
  writer_.Rollback();
  writing_ = false;
  emptied_ = false;
  changes_.clear();
}

bool DayIndex::WantsRebuild() {
  std::uint64_t live = 0;
  {
    std::lock_guard<std::mutex> guard(rowsLock_);
    for (const auto& entry : rows_) live += entry.second.textLength;
  }
  const std::uint64_t garbage = writer_.Garbage();
  return garbage >= kLeastRebuildBytes && garbage > kRebuildShare * live;
}

void DayIndex::Empty() {
  BeginWriteOnce();
  writer_.Empty();
  emptied_ = true;
  changes_.clear();
}

std::shared_ptr<DayIndex> OpenDayIndex(const std::string& path, const std::string& historyFolder,
                                       const FoldTable& fold,
                                       const std::function<void()>& removeFiles) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      return std::make_shared<DayIndex>(path, historyFolder, fold);
    } catch (const IndexError& error) {
      if (!error.Damaged()) return nullptr;
      removeFiles();
    }
  }
  return nullptr;
}

}  // namespace corvane
