#include "viewer/search/search_index.h"

#include <chrono>
#include <cstdint>
#include <new>
#include <utility>

#include "common/file_time.h"
#include "common/unique_handle.h"
#include "viewer/days/day_reader.h"
#include "viewer/days/day_scope.h"
#include "viewer/history_tree/history_entries.h"
#include "viewer/history_tree/history_tree.h"
#include "viewer/search/index_location.h"
#include "viewer/search/index_text.h"

namespace corvane {
namespace {

using Clock = std::chrono::steady_clock;

// What is indexed is committed this often, so that searches and the status
// line see the work going on, and a stop loses little of it.
constexpr auto kBatch = std::chrono::milliseconds(250);

// A day file written this recently may change again within the same tick
// of the file system's clock, with its size: it is indexed once it is
// older, and read by the searches till then.
constexpr std::uint64_t kFreshTicks = 2 * 10'000'000ULL;
constexpr DWORD kFreshWaitMs = 2100;

// After an index could not be made (a locked file), how long until the
// next try; searches read every day meanwhile.
constexpr DWORD kRetryMs = 30'000;

bool IsFresh(const ListedDay& day) {
  FILETIME nowTime;
  GetSystemTimeAsFileTime(&nowTime);
  const std::uint64_t now = FileTimeTicks(nowTime);
  return day.written + kFreshTicks > now && day.written < now + kFreshTicks;
}

// The scope a path given to the viewer's deletion stands for, relative to
// the history folder; nullopt when it lies elsewhere.
std::optional<HistoryDay> ScopeOf(const std::string& path, const std::string& historyFolder) {
  std::string folder = historyFolder;
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  if (path.size() < folder.size() ||
      CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, path.c_str(),
                     static_cast<int>(folder.size()), folder.c_str(),
                     static_cast<int>(folder.size())) != CSTR_EQUAL) {
    return std::nullopt;
  }
  std::string parts[3];
  std::size_t count = 0;
  for (std::size_t at = folder.size(); at <= path.size() && count < 3;) {
    const std::size_t end = std::min(path.find('\\', at), path.size());
    parts[count++] = path.substr(at, end - at);
    at = end + 1;
  }
  for (std::size_t i = 0; i < count; ++i) {
    if (parts[i] == "*.*" || parts[i] == "*") count = i;  // everything at that level
  }
  HistoryDay scope;
  if (count > 0) scope.user = parts[0];
  if (count > 1) scope.buddy = parts[1];
  if (count > 2) {
    const std::optional<std::string> date = DateEntryText(parts[2]);
    if (!date) return std::nullopt;
    scope.date = *date;
  }
  return scope;
}

// A change to a user's folder itself (made, removed, renamed) touches all
// of it; any other names a buddy's folder, whose listing is forgotten.  One
// that names a user's or a buddy's folder itself changes the folders too.
void ForgetChanged(DayListing& listing, const std::string& historyFolder,
                   const FolderChanges& changes) {
  if (changes.Everything()) listing.ForgetAll();
  for (const FolderChange& change : changes.changes) {
    const std::string& name = change.relative;
    const std::size_t first = name.find('\\');
    const std::string user = name.substr(0, first);
    if (user.empty()) continue;
    const std::size_t second = first == std::string::npos ? first : name.find('\\', first + 1);
    const std::string buddy =
        first == std::string::npos ? std::string() : name.substr(first + 1, second - first - 1);
    const std::optional<std::string> folder = buddy.empty()
                                                  ? JoinHistoryPath(historyFolder, {user})
                                                  : JoinHistoryPath(historyFolder, {user, buddy});
    if (folder) listing.Forget(*folder);
    if (second == std::string::npos) listing.ForgetFolders();
  }
}

}  // namespace

SearchIndex::SearchIndex(std::string historyFolder, const FoldTable& fold,
                         std::shared_ptr<DayListing> listing, std::shared_ptr<FolderWatch> watch)
    : folder_(std::move(historyFolder)),
      fold_(fold),
      listing_(std::move(listing)),
      path_(SearchIndexPath(folder_)),
      watch_(std::move(watch)),
      following_(watch_->Listen([this](const FolderChanges& changes) {
        ForgetChanged(*listing_, folder_, changes);
        if (changes.kind != FolderChanges::Kind::kEnded) Kick();
      })),
      // Without a thread searches read every day.
      thread_([this](const StopRequest&) { Run(); },
              [this] {
                {
                  std::lock_guard<std::mutex> guard(lock_);
                  stopping_ = true;
                  if (index_) index_->InterruptWriter();
                }
                gate_.Release();
                wake_.notify_all();
              }) {}

SearchIndex::~SearchIndex() { Stop(); }

void SearchIndex::Stop() { thread_.Stop(); }

SearchIndex::Status SearchIndex::CurrentStatus() const {
  std::lock_guard<std::mutex> guard(lock_);
  return status_;
}

SearchIndex::SearchHold::SearchHold(SearchIndex& index) : index_(index) {
  {
    std::lock_guard<std::mutex> guard(index_.lock_);
    if (index_.searches_++ == 0) index_.gate_.Hold();
  }
  index_.watch_->Settle();
}

SearchIndex::SearchHold::~SearchHold() {
  {
    std::lock_guard<std::mutex> guard(index_.lock_);
    if (--index_.searches_ == 0) index_.gate_.Release();
  }
  index_.wake_.notify_all();
}

std::optional<std::vector<ListedDay>> SearchIndex::DaysToRead(const std::vector<ListedDay>& days,
                                                              std::string_view query,
                                                              const FoldTable& fold) {
  std::shared_ptr<DayIndex> index;
  {
    std::lock_guard<std::mutex> guard(lock_);
    index = index_;
  }
  // Without the watch the listing's sizes and times may be old.
  if (!index || !watch_->Active()) return std::nullopt;
  std::size_t unheld = 0;
  std::optional<std::vector<ListedDay>> toRead = index->DaysToRead(days, query, fold, unheld);
  if (unheld > 0 || index->FoundDamaged()) Kick();
  return toRead;
}

void SearchIndex::ForgetDeleted(const std::string& path) {
  const std::optional<HistoryDay> scope = ScopeOf(path, folder_);
  if (!scope) return;
  {
    std::lock_guard<std::mutex> guard(lock_);
    deleted_.push_back(*scope);
    kicked_ = true;
  }
  wake_.notify_all();
}

void SearchIndex::Kick() {
  {
    std::lock_guard<std::mutex> guard(lock_);
    kicked_ = true;
  }
  wake_.notify_all();
}

void SearchIndex::SetStatus(std::size_t indexed, std::size_t total) {
  std::lock_guard<std::mutex> guard(lock_);
  status_ = Status{true, indexed, total};
}

bool SearchIndex::WaitForWork(DWORD timeoutMs) {
  std::unique_lock<std::mutex> guard(lock_);
  const auto woken = [this] { return stopping_ || kicked_; };
  if (timeoutMs == INFINITE) {
    wake_.wait(guard, woken);
  } else {
    wake_.wait_for(guard, std::chrono::milliseconds(timeoutMs), woken);
  }
  kicked_ = false;
  return !stopping_;
}

// What is indexed so far is committed first, for the search to use.
bool SearchIndex::WaitWhileSearching(DayIndex* index) {
  std::unique_lock<std::mutex> guard(lock_);
  if (searches_ > 0 && index != nullptr) {
    guard.unlock();
    index->Commit();
    guard.lock();
  }
  wake_.wait(guard, [this] { return stopping_ || searches_ == 0; });
  return !stopping_;
}

void SearchIndex::Run() {
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
  if (path_.empty() || !watch_->WaitActive(stopping_)) return;
  const KernelHandle mutex(
      CreateMutexA(nullptr, FALSE, ("Local\\Corvane " + SearchIndexName(folder_)).c_str()));
  if (!mutex) return;
  if (BecomeWriter(mutex.Get())) {
    while (!stopping_) {
      bool damaged = false;
      try {
        damaged = OpenAndKeep();
      } catch (...) {
        // Out of memory: searches read every day till the next try.
        Close();
        WaitForWork(kRetryMs);
      }
      // Made anew once the searches have let go of the damaged file.
      if (damaged && WaitWhileSearching(nullptr)) RemoveFiles();
    }
    ReleaseMutex(mutex.Get());
  }
  std::lock_guard<std::mutex> guard(lock_);
  index_.reset();
  status_ = Status{};
}

// True when the index proved damaged.
bool SearchIndex::OpenAndKeep() {
  const std::shared_ptr<DayIndex> index = Open();
  if (!index) {
    WaitForWork(kRetryMs);
    return false;
  }
  {
    std::lock_guard<std::mutex> guard(lock_);
    index_ = index;
  }
  const bool damaged = Keep(*index);
  Close();
  return damaged;
}

void SearchIndex::Close() {
  std::lock_guard<std::mutex> guard(lock_);
  index_.reset();
  status_ = Status{};
}

// Another viewer on the same history folder may be writing its index; this
// one waits for its turn.
bool SearchIndex::BecomeWriter(HANDLE mutex) {
  while (!stopping_) {
    const DWORD waited = WaitForSingleObject(mutex, 100);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) return true;
    if (waited == WAIT_FAILED) return false;
  }
  return false;
}

std::shared_ptr<DayIndex> SearchIndex::Open() {
  return OpenDayIndex(Utf8Path(path_), IndexedFolderName(folder_), fold_,
                      [this] { RemoveFiles(); });
}

void SearchIndex::RemoveFiles() const {
  for (const char* suffix : {"", "-wal", "-shm"}) DeleteFileA((path_ + suffix).c_str());
}

// Until the viewer stops, the file fails (it is opened again a little
// later) or proves damaged: true then.
bool SearchIndex::Keep(DayIndex& index) {
  try {
    for (bool deferred = Pass(index); !index.FoundDamaged(); deferred = Pass(index)) {
      if (!WaitForWork(deferred ? kFreshWaitMs : INFINITE)) return false;
    }
    return true;
  } catch (const IndexError& error) {
    index.Abandon();
    if (stopping_) return false;  // interrupted by the stop
    if (error.Damaged()) return true;
    WaitForWork(kRetryMs);  // a full disk, say
    return false;
  }
}

void SearchIndex::RemoveDeleted(DayIndex& index) {
  std::vector<HistoryDay> deleted;
  {
    std::lock_guard<std::mutex> guard(lock_);
    deleted.swap(deleted_);
  }
  for (const HistoryDay& scope : deleted) index.RemoveWithin(scope);
  index.Commit();
}

// A day too large for the memory left is not indexed: the searches read
// it themselves, and the indexer goes on with the next.
void SearchIndex::PutOrSkip(DayIndex& index, const ListedDay& day, std::string_view text) {
  try {
    index.PutIndexed(day, text);
  } catch (const std::bad_alloc&) {
    // The day stays unheld as listed: a later round tries it again.
  } catch (const IndexError& error) {
    if (!error.OutOfMemory()) throw;
    index.Abandon();  // SQLite may have rolled the write back: the batch is tried again
  }
}

// One round: the whole history listed, the rows of days gone dropped, the
// days not held as they are indexed, newest first.  True when a day was
// too fresh to index and the round should come again soon.
bool SearchIndex::Pass(DayIndex& index) {
  RemoveDeleted(index);
  std::vector<ListedDay> listed = ListDaysInScope(*listing_, folder_, "", "", stopping_);
  if (stopping_) return false;
  SortNewestFirst(listed, fold_);
  IndexWork work = index.Plan(listed);
  if (index.WantsRebuild()) {
    index.Empty();
    index.Commit();
    work = index.Plan(listed);
  }
  index.Remove(work.gone);
  index.Commit();
  std::size_t done = work.held;
  SetStatus(done, listed.size());

  // Read ahead, and made the index's text, on threads of their own, so
  // that the waits on the file system and half the work overlap the rest.
  bool deferred = false;
  std::vector<ListedDay> due;
  std::vector<std::string> paths;
  for (ListedDay& day : work.toIndex) {
    if (IsFresh(day)) {
      deferred = true;
      continue;
    }
    paths.push_back(DayFilePath(folder_, day.day).value_or(""));
    due.push_back(std::move(day));
  }
  const FoldTable fold = index.Fold();
  DayReader reader(std::move(paths), gate_,
                   [fold, buffers = IndexTextBuffers()](std::string& html) mutable {
                     MakeIndexText(html, fold, buffers);
                   });
  std::string text;
  bool read = false;
  Clock::time_point batch = Clock::now();
  for (const ListedDay& day : due) {
    if (!WaitWhileSearching(&index) || !reader.Next(text, read)) {
      index.Commit();  // the next start goes on from here
      return false;
    }
    // A day that could not be read (gone, held by another program, too
    // large) is done with for now: the searches read it themselves, and a
    // change to it comes round again.  One that changed since the listing
    // is held with the listing's size and time, which it no longer has.
    if (read) PutOrSkip(index, day, text);
    ++done;
    if (Clock::now() - batch >= kBatch) {
      index.Commit();
      SetStatus(done, listed.size());
      batch = Clock::now();
    }
  }
  index.Commit();
  SetStatus(done, listed.size());
  return deferred;
}

}  // namespace corvane
