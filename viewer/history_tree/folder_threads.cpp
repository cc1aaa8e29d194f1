#include "viewer/history_tree/folder_threads.h"

#include <memory>
#include <set>
#include <string_view>
#include <vector>

#include "common/exception_boundary.h"
#include "common/unique_handle.h"
#include "viewer/history_tree/folder_facts.h"
#include "viewer/history_tree/history_entries.h"
#include "viewer/history_tree/history_tree.h"

namespace corvane {
namespace {

constexpr DWORD kWatchedChanges =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_SIZE;
static_assert(kWatchedChanges == 0x0B);

void PostSizeTotal(const FolderThreadTarget& target) {
  const std::uint64_t total = FolderSizeBytes(target.historyFolder);
  PostMessageA(target.dialog, target.message, static_cast<WPARAM>(total & 0xFFFFFFFF),
               static_cast<LPARAM>(total >> 32));
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

// The files of the folder `relative` below `root` and of its folders, at
// any depth; a folder reached through a link is not entered, so the walk
// stays inside the history folder and never loops.
std::uint64_t SizeBelow(const std::string& root, const std::string& relative,
                        const FolderFactsReader& facts, std::set<FolderIdentity>& seen) {
  const std::string folder = relative.empty() ? root : root + "\\" + relative;
  std::uint64_t total = 0;
  std::vector<std::string> folders;
  std::vector<WalkedFolder> walked;
  WIN32_FIND_DATAA entry;
  const FindHandle find(FindFirstFileA((folder + "\\*.*").c_str(), &entry));
  if (!find) return 0;
  do {
    if (IsDotEntry(entry.cFileName)) continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      folders.push_back(relative.empty() ? entry.cFileName : relative + "\\" + entry.cFileName);
      walked.push_back(facts.Walked(folders.back(), entry.dwFileAttributes, false));
    } else {
      total += (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    }
  } while (FindNextFileA(find.Get(), &entry));
  const std::vector<bool> visited = VisitOnce(walked, seen);
  for (std::size_t i = 0; i < folders.size(); ++i) {
    if (visited[i] && !walked[i].linked) total += SizeBelow(root, folders[i], facts, seen);
  }
  return total;
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

std::uint64_t FolderSizeBytes(const std::string& folder) {
  const FolderFactsReader facts(folder);
  std::set<FolderIdentity> seen;
  if (facts.Root().identity) seen.insert(*facts.Root().identity);
  return SizeBelow(folder, "", facts, seen);
}

DWORD WINAPI SizeTotalThread(LPVOID target) { return RunWorker<PostSizeTotal>(target); }

DWORD WINAPI FolderWatchThread(LPVOID target) { return RunWorker<WatchFolder>(target); }

void StartFolderThreads(HWND dialog, const FolderThreadMessages& messages,
                        const std::string& historyFolder) {
  StartWorker(SizeTotalThread, dialog, messages.sizeTotal, historyFolder);
  StartWorker(FolderWatchThread, dialog, messages.folderChanged, historyFolder);
}

}  // namespace corvane
