#include "viewer/history_tree/folder_threads.h"

#include <memory>
#include <string_view>

#include "viewer/history_tree/history_entries.h"
#include "viewer/history_tree/history_tree.h"

namespace corvane {
namespace {

constexpr DWORD kWatchedChanges =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_SIZE;
static_assert(kWatchedChanges == 0x0B);

void PostSizeTotal(const FolderThreadTarget& target) {
  const std::uint32_t total = FolderSizeBytes(target.history_folder);
  PostMessageA(target.dialog, target.message, total, 0);
}

void WatchFolder(const FolderThreadTarget& target) {
  HANDLE change =
      FindFirstChangeNotificationA(target.history_folder.c_str(), TRUE, kWatchedChanges);
  if (change == INVALID_HANDLE_VALUE) return;
  ReachHistoryFolders(target.history_folder, HistoryLevel::kUsers);
  // Changes between a signal and the re-arming are reported with the next
  // signal, so nothing is missed; repeated merges are harmless.
  do {
    if (WaitForSingleObject(change, INFINITE) != WAIT_OBJECT_0) break;
    PostMessageA(target.dialog, target.message, 0, 0);
  } while (FindNextChangeNotification(change));
  FindCloseChangeNotification(change);
}

template <void (*Work)(const FolderThreadTarget&)>
DWORD WINAPI RunWorker(LPVOID parameter) {
  std::unique_ptr<FolderThreadTarget> target(static_cast<FolderThreadTarget*>(parameter));
  try {
    Work(*target);
  } catch (...) {
    // Out of memory in a worker: the viewer lives on without its result.
  }
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

// Listing a folder opens it; its own folders are listed after it.
void ReachHistoryFolders(const std::string& folder, HistoryLevel level) {
  const std::vector<std::string> names = ListHistoryLevel(folder.c_str(), level);
  if (level == HistoryLevel::kDates) return;
  const HistoryLevel below =
      level == HistoryLevel::kUsers ? HistoryLevel::kBuddies : HistoryLevel::kDates;
  for (const std::string& name : names) {
    char path[kPathCapacity];
    if (CombineHistoryPath(path, folder.c_str(), name.c_str())) ReachHistoryFolders(path, below);
  }
}

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
                        const std::string& history_folder) {
  StartWorker(SizeTotalThread, dialog, messages.size_total, history_folder);
  StartWorker(FolderWatchThread, dialog, messages.folder_changed, history_folder);
}

}  // namespace corvane
