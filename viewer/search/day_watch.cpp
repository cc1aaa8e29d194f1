#include "viewer/search/day_watch.h"

#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "common/exception_boundary.h"
#include "common/unique_handle.h"
#include "viewer/days/day_scope.h"
#include "viewer/history_tree/history_tree.h"

namespace corvane {
namespace {

// Names and sizes, and the write times that a rewrite set back changes.
constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                           FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE |
                           FILE_NOTIFY_CHANGE_ATTRIBUTES;

// As much as a network drive takes; more changes than fit between two
// reads are reported as none, and everything is forgotten.
constexpr DWORD kRecordBytes = 64 * 1024;

constexpr int kSettleMs = 50;

// A pause waits this long at most for the watch to let go.
constexpr DWORD kPauseWaitMs = 5000;

const std::atomic<bool> kNeverCancelled{false};

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

}  // namespace

DayWatch::DayWatch(std::string historyFolder, std::shared_ptr<DayListing> listing,
                   std::function<void()> changed)
    : root_(std::move(historyFolder)), listing_(std::move(listing)), changed_(std::move(changed)) {
  stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  reported_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  pause_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  paused_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  resume_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (stop_ == nullptr || reported_ == nullptr || pause_ == nullptr || paused_ == nullptr ||
      resume_ == nullptr) {
    started_ = true;
    ended_ = true;
    return;
  }
  thread_ = std::thread([this] { Run(); });
}

DayWatch::~DayWatch() {
  if (stop_ != nullptr) SetEvent(stop_);
  if (thread_.joinable()) thread_.join();
  for (HANDLE event : {stop_, reported_, pause_, paused_, resume_}) {
    if (event != nullptr) CloseHandle(event);
  }
}

void DayWatch::Pause() {
  if (ended_) return;
  SetEvent(pause_);
  for (DWORD waited = 0; !ended_ && waited < kPauseWaitMs; waited += 10) {
    if (WaitForSingleObject(paused_, 10) == WAIT_OBJECT_0) return;
  }
}

void DayWatch::Resume() {
  if (ended_) return;
  ResetEvent(pause_);
  SetEvent(resume_);
}

// After the watch ended: true when it ended for a pause that is now over.
bool DayWatch::WaitWhilePaused() {
  if (WaitForSingleObject(pause_, 0) != WAIT_OBJECT_0) return false;
  SetEvent(paused_);
  const HANDLE events[] = {stop_, resume_};
  const bool resumed = WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1;
  ResetEvent(paused_);
  return resumed;
}

bool DayWatch::WaitActive() {
  while (!started_) {
    if (WaitForSingleObject(stop_, 10) == WAIT_OBJECT_0) return false;
  }
  return active_;
}

void DayWatch::Settle() const {
  for (int waited = 0; active_ && waited < kSettleMs; ++waited) {
    if (!passingOn_ && WaitForSingleObject(reported_, 0) != WAIT_OBJECT_0) return;
    Sleep(1);
  }
}

void DayWatch::Run() {
  do {
    const KernelHandle folder(CreateFileA(
        root_.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
    if (!folder) break;
    // Out of memory: the listing can no longer be trusted.
    RunContained([&] { Watch(folder.Get()); });
    active_ = false;
    listing_->ForgetAll();
    started_ = true;
  } while (WaitWhilePaused());
  started_ = true;
  ended_ = true;
}

void DayWatch::Watch(HANDLE folder) {
  std::vector<char> records(kRecordBytes);
  std::vector<char> copy(kRecordBytes);
  OVERLAPPED read{};
  read.hEvent = reported_;
  const auto arm = [&] {
    ResetEvent(reported_);
    return ReadDirectoryChangesW(folder, records.data(), kRecordBytes, TRUE, kChanges, nullptr,
                                 &read, nullptr) != FALSE;
  };
  if (!arm()) return;
  // What was listed before the watch began may be out of date.  Every
  // folder is listed again, parents first, which opens each as Wine needs
  // to report the changes inside it (and has the listings ready).
  listing_->ForgetAll();
  ListDaysInScope(*listing_, root_, "", "", kNeverCancelled);
  active_ = true;
  started_ = true;
  changed_();
  const HANDLE events[] = {stop_, reported_, pause_};
  for (;;) {
    if (WaitForMultipleObjects(3, events, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) break;
    passingOn_ = true;
    DWORD bytes = 0;
    const bool readOk = GetOverlappedResult(folder, &read, &bytes, FALSE) != FALSE;
    if (readOk && bytes > 0) std::memcpy(copy.data(), records.data(), bytes);
    // Armed again before the records are passed on, so that no change
    // falls between two reads.
    const bool armed = readOk && arm();
    if (readOk && bytes > 0) {
      PassOn(copy.data(), bytes);
    } else {
      listing_->ForgetAll();  // more changes than the records held
    }
    passingOn_ = false;
    changed_();
    if (!armed) return;
  }
  CancelIo(folder);
  DWORD bytes = 0;
  GetOverlappedResult(folder, &read, &bytes, TRUE);
}

void DayWatch::PassOn(const char* records, DWORD bytes) {
  for (DWORD at = 0; at + sizeof(FILE_NOTIFY_INFORMATION) <= bytes;) {
    const auto* record = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(records + at);
    Forget(std::wstring(record->FileName, record->FileNameLength / sizeof(wchar_t)),
           record->Action);
    if (record->NextEntryOffset == 0) break;
    at += record->NextEntryOffset;
  }
}

// A change to a user's folder itself (made, removed, renamed) touches all
// of it; any other names a buddy's folder, whose listing is forgotten.
// A folder made now is listed, with those below it, which opens them for
// Wine to watch; what was made inside it before is in that listing.
void DayWatch::Forget(const std::wstring& relative, DWORD action) {
  const std::optional<std::string> name = AnsiOf(relative.data(), relative.size());
  if (!name) {
    listing_->ForgetAll();  // a name the viewer cannot spell: it cannot list it either
    return;
  }
  const std::size_t first = name->find('\\');
  const std::string user = name->substr(0, first);
  if (user.empty()) return;
  const std::size_t second = first == std::string::npos ? first : name->find('\\', first + 1);
  const bool made = action == FILE_ACTION_ADDED || action == FILE_ACTION_RENAMED_NEW_NAME;
  const std::string buddy =
      first == std::string::npos ? std::string() : name->substr(first + 1, second - first - 1);
  const std::optional<std::string> folder =
      buddy.empty() ? JoinHistoryPath(root_, {user}) : JoinHistoryPath(root_, {user, buddy});
  if (!folder) return;
  listing_->Forget(*folder);
  if (made && second == std::string::npos)
    ListDaysInScope(*listing_, root_, user, buddy, kNeverCancelled);
}

}  // namespace corvane
