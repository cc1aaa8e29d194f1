#include "viewer/history_tree/folder_threads.h"

#include <memory>
#include <string_view>

#include "common/exception_boundary.h"
#include "viewer/history_tree/history_entries.h"
#include "viewer/history_tree/history_tree.h"

namespace corvane {
namespace {

constexpr DWORD kWatchedChanges =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_SIZE;
static_assert(kWatchedChanges == 0x0B);

void PostSizeTotal(const FolderThreadTarget& target) {
  const std::uint32_t total = FolderSizeBytes(target.historyFolder);
  PostMessageA(target.dialog, target.message, total, 0);
}

// Wine extends a subtree watch only to folders created, or opened, after it
// was armed; listing the user and buddy folders once (parents first) opens
// each of them, so that writes to the day files inside are reported.  On
// Windows this is a harmless read.
void ReachExistingHistoryFolders(const std::string& historyFolder) {
  for (const std::string& user : ListHistoryLevel(historyFolder.c_str(), HistoryLevel::kUsers)) {
    char userPath[kPathCapacity];
    if (!CombineHistoryPath(userPath, historyFolder.c_str(), user.c_str())) continue;
    for (const std::string& buddy : ListHistoryLevel(userPath, HistoryLevel::kBuddies)) {
      char buddyPath[kPathCapacity];
      if (!CombineHistoryPath(buddyPath, userPath, buddy.c_str())) continue;
      ListHistoryLevel(buddyPath, HistoryLevel::kDates);
    }
  }
}

void WatchFolder(const FolderThreadTarget& target) {
  HANDLE change = FindFirstChangeNotificationA(target.historyFolder.c_str(), TRUE, kWatchedChanges);
  if (change == INVALID_HANDLE_VALUE) return;
  ReachExistingHistoryFolders(target.historyFolder);
  // Armed again before the dialog is told: Wine keeps no change made while
  // the notification is not armed, and a change made after the dialog has
  // listed the disk must still be reported.  One made before the re-arming
  // is listed by the merge the message starts; repeated merges are harmless.
  for (;;) {
    if (WaitForSingleObject(change, INFINITE) != WAIT_OBJECT_0) break;
    const bool armed = FindNextChangeNotification(change) != FALSE;
    PostMessageA(target.dialog, target.message, 0, 0);
    if (!armed) break;
  }
  FindCloseChangeNotification(change);
}

template <void (*kWork)(const FolderThreadTarget&)>
DWORD WINAPI RunWorker(LPVOID parameter) {
  std::unique_ptr<FolderThreadTarget> target(static_cast<FolderThreadTarget*>(parameter));
  // A worker that failed leaves the viewer without its result.
  RunContained([&] { kWork(*target); });
  return 0;
}

void StartWorker(LPTHREAD_START_ROUTINE procedure, HWND dialog, UINT message,
                 const std::string& folder) {
  auto* target = new FolderThreadTarget{dialog, message, folder};
  HANDLE thread = CreateThread(nullptr, 0, procedure, target, 0, nullptr);
  if (thread == nullptr) {
    delete target;
    return;
  }
  CloseHandle(thread);
}

}  // namespace

std::uint32_t FolderSizeBytes(const std::string& folder) {
  std::uint32_t total = 0;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*.*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return 0;
  do {
    if (IsDotEntry(entry.cFileName)) continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      total += FolderSizeBytes(folder + "\\" + entry.cFileName);
    } else {
      total += entry.nFileSizeLow;
    }
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return total;
}

DWORD WINAPI SizeTotalThread(LPVOID target) { return RunWorker<PostSizeTotal>(target); }

DWORD WINAPI FolderWatchThread(LPVOID target) { return RunWorker<WatchFolder>(target); }

void StartFolderThreads(HWND dialog, const FolderThreadMessages& messages,
                        const std::string& historyFolder) {
  StartWorker(SizeTotalThread, dialog, messages.sizeTotal, historyFolder);
  StartWorker(FolderWatchThread, dialog, messages.folderChanged, historyFolder);
}

}  // namespace corvane
