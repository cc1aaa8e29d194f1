#include "viewer/history_tree/folder_watch.h"

#include <cstring>
#include <optional>
#include <utility>

#include "common/exception_boundary.h"
#include "viewer/history_tree/history_tree.h"

namespace corvane {
namespace {

// Names and sizes, and the write times that a rewrite set back changes.
constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                           FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE |
                           FILE_NOTIFY_CHANGE_ATTRIBUTES;

// As much as a network drive takes; more changes than fit between two
// reads are reported as none, and the count as lost.
constexpr DWORD kRecordBytes = 64 * 1024;

constexpr int kSettleMs = 50;

// A pause waits this long at most for the watch to let go.
constexpr DWORD kPauseWaitMs = 5000;

// The levels below the history folder: users, their buddies, the days.
constexpr HistoryLevel kLevels[] = {HistoryLevel::kUsers, HistoryLevel::kBuddies,
                                    HistoryLevel::kDates};
constexpr int kDayDepth = 2;

std::optional<std::string> AnsiOf(const wchar_t* text, std::size_t length) {
  if (length == 0) return std::string();
  const int size = static_cast<int>(length);
  BOOL lossy = FALSE;
  const int bytes =
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, size, nullptr, 0, nullptr, &lossy);
  std::string ansi(static_cast<std::size_t>(bytes), '\0');
  if (bytes == 0 || lossy ||
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, size, &ansi[0], bytes, nullptr,
                          &lossy) != bytes ||
      lossy) {
    return std::nullopt;
  }
  return ansi;
}

// Wine extends a subtree watch only to folders created, or opened, after it
// was armed; listing `folder` (`depth` levels below the history folder) and
// the folders below it, parents first, opens each of them, so that writes
// to the day files inside are reported.  On Windows this is a harmless read.
void ReachFolders(const std::string& folder, int depth) {
  for (const std::string& name : ListHistoryLevel(folder.c_str(), kLevels[depth])) {
    if (depth == kDayDepth) continue;
    char path[kPathCapacity];
    if (CombineHistoryPath(path, folder.c_str(), name.c_str())) ReachFolders(path, depth + 1);
  }
}

// A user's or a buddy's folder made (or renamed) while the watch runs is
// reached at once, with those below it: what was made inside it before
// then is found by whoever lists it after the report.
void ReachIfMade(const std::string& root, const FolderChange& change) {
  if (change.relative.empty()) return;
  if (change.action != FILE_ACTION_ADDED && change.action != FILE_ACTION_RENAMED_NEW_NAME) return;
  const std::size_t first = change.relative.find('\\');
  const int depth = first == std::string::npos ? 1 : 2;
  if (depth == 2 && change.relative.find('\\', first + 1) != std::string::npos) return;
  char path[kPathCapacity];
  if (CombineHistoryPath(path, root.c_str(), change.relative.c_str())) ReachFolders(path, depth);
}

}  // namespace

FolderWatch::FolderWatch(std::string historyFolder)
    : root_(std::move(historyFolder)),
      reported_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      pause_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      paused_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      resume_(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

FolderWatch::~FolderWatch() { thread_.Stop(); }

FolderWatch::Subscription::Subscription(Subscription&& other) noexcept
    : watch_(std::exchange(other.watch_, nullptr)), listener_(other.listener_) {}

FolderWatch::Subscription& FolderWatch::Subscription::operator=(Subscription&& other) noexcept {
  Subscription gone(std::move(*this));
  watch_ = std::exchange(other.watch_, nullptr);
  listener_ = other.listener_;
  return *this;
}

FolderWatch::Subscription::~Subscription() {
  if (watch_ == nullptr) return;
  std::lock_guard<std::mutex> guard(watch_->lock_);
  watch_->listeners_.erase(listener_);
}

FolderWatch::Subscription FolderWatch::Listen(Listener listener) {
  std::lock_guard<std::mutex> guard(lock_);
  return Subscription(this, listeners_.insert(listeners_.end(), std::move(listener)));
}

void FolderWatch::Start() {
  if (!reported_ || !pause_ || !paused_ || !resume_) {
    started_ = true;
    ended_ = true;
    return;
  }
  thread_ = JoinedThread([this](const StopRequest& stop) { Run(stop); });
  if (!thread_.Started()) {
    started_ = true;
    ended_ = true;
  }
}

FolderWatch::DeletionPause::DeletionPause(FolderWatch* watch) : watch_(watch) {
  if (watch_ != nullptr) watch_->Pause();
}

FolderWatch::DeletionPause::~DeletionPause() {
  if (watch_ != nullptr) watch_->Resume();
}

void FolderWatch::Pause() {
  if (ended_) return;
  SetEvent(pause_.Get());
  for (DWORD waited = 0; !ended_ && waited < kPauseWaitMs; waited += 10) {
    if (WaitForSingleObject(paused_.Get(), 10) == WAIT_OBJECT_0) return;
  }
}

void FolderWatch::Resume() {
  if (ended_) return;
  ResetEvent(pause_.Get());
  SetEvent(resume_.Get());
}

// After the watch ended: true when it ended for a pause that is now over.
bool FolderWatch::WaitWhilePaused(const StopRequest& stop) {
  if (WaitForSingleObject(pause_.Get(), 0) != WAIT_OBJECT_0) return false;
  SetEvent(paused_.Get());
  const HANDLE events[] = {stop.Event(), resume_.Get()};
  const bool resumed = WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1;
  ResetEvent(paused_.Get());
  return resumed;
}

bool FolderWatch::WaitActive(const std::atomic<bool>& cancelled) const {
  while (!started_) {
    if (cancelled) return false;
    Sleep(10);
  }
  return active_;
}

void FolderWatch::Settle() const {
  for (int waited = 0; active_ && waited < kSettleMs; ++waited) {
    if (!passingOn_ && WaitForSingleObject(reported_.Get(), 0) != WAIT_OBJECT_0) return;
    Sleep(1);
  }
}

void FolderWatch::Tell(const FolderChanges& changes) {
  std::lock_guard<std::mutex> guard(lock_);
  for (const Listener& listener : listeners_) listener(changes);
}

void FolderWatch::Run(const StopRequest& stop) {
  do {
    const KernelHandle folder(CreateFileA(
        root_.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
    if (!folder) break;
    // Out of memory: what the listeners kept can no longer be trusted.
    RunContained([&] { Watch(folder.Get(), stop); });
    active_ = false;
    RunContained([&] { Tell(FolderChanges{FolderChanges::Kind::kEnded, false, {}}); });
    started_ = true;
  } while (WaitWhilePaused(stop));
  started_ = true;
  ended_ = true;
}

void FolderWatch::Watch(HANDLE folder, const StopRequest& stop) {
  std::vector<char> records(kRecordBytes);
  std::vector<char> copy(kRecordBytes);
  OVERLAPPED read{};
  read.hEvent = reported_.Get();
  const auto arm = [&] {
    ResetEvent(reported_.Get());
    return ReadDirectoryChangesW(folder, records.data(), kRecordBytes, TRUE, kChanges, nullptr,
                                 &read, nullptr) != FALSE;
  };
  if (!arm()) return;
  // What the listeners kept before the watch began may be out of date.
  ReachFolders(root_, 0);
  Tell(FolderChanges{FolderChanges::Kind::kBegan, false, {}});
  active_ = true;
  started_ = true;
  const HANDLE events[] = {stop.Event(), reported_.Get(), pause_.Get()};
  for (;;) {
    if (WaitForMultipleObjects(3, events, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) break;
    passingOn_ = true;
    DWORD bytes = 0;
    const bool readOk = GetOverlappedResult(folder, &read, &bytes, FALSE) != FALSE;
    if (readOk && bytes > 0) std::memcpy(copy.data(), records.data(), bytes);
    // Armed again before the records are passed on, so that no change
    // falls between two reads: Wine keeps no change made while the watch is
    // not armed.
    const bool armed = readOk && arm();
    if (readOk && bytes > 0) {
      PassOn(copy.data(), bytes);
    } else {
      Tell(FolderChanges{FolderChanges::Kind::kChanged, true, {}});  // more than the records held
    }
    passingOn_ = false;
    if (!armed) return;
  }
  CancelIo(folder);
  DWORD bytes = 0;
  GetOverlappedResult(folder, &read, &bytes, TRUE);
}

void FolderWatch::PassOn(const char* records, DWORD bytes) {
  FolderChanges changes;
  for (DWORD at = 0; at + sizeof(FILE_NOTIFY_INFORMATION) <= bytes;) {
    const auto* record = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(records + at);
    const std::optional<std::string> name =
        AnsiOf(record->FileName, record->FileNameLength / sizeof(wchar_t));
    if (name) {
      changes.changes.push_back({*name, record->Action});
      ReachIfMade(root_, changes.changes.back());
    } else {
      changes.lostCount = true;  // a name the viewer cannot spell: it cannot list it either
    }
    if (record->NextEntryOffset == 0) break;
    at += record->NextEntryOffset;
  }
  Tell(changes);
}

}  // namespace corvane
