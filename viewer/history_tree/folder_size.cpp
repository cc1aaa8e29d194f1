#include "viewer/history_tree/folder_size.h"

#include <set>
#include <utility>
#include <vector>

#include "common/unique_handle.h"
#include "viewer/history_tree/folder_facts.h"
#include "viewer/history_tree/history_entries.h"

namespace corvane {
namespace {

// The files of the folder `relative` below `root` and of its folders, at
// any depth; a folder reached through a link is not entered, so the walk
// stays inside the history folder and never loops.
std::uint64_t SizeBelow(const std::string& root, const std::string& relative,
                        const FolderFactsReader& facts, std::set<FolderIdentity>& seen,
                        const std::atomic<bool>& cancelled) {
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
  for (std::size_t i = 0; i < folders.size() && !cancelled; ++i) {
    if (visited[i] && !walked[i].linked)
      total += SizeBelow(root, folders[i], facts, seen, cancelled);
  }
  return total;
}

}  // namespace

std::uint64_t FolderSizeBytes(const std::string& folder, const std::atomic<bool>& cancelled) {
  const FolderFactsReader facts(folder);
  std::set<FolderIdentity> seen;
  if (facts.Root().identity) seen.insert(*facts.Root().identity);
  return SizeBelow(folder, "", facts, seen, cancelled);
}

JoinedThread StartSizeTotal(HWND dialog, UINT message, std::string historyFolder) {
  return JoinedThread(
      [dialog, message, folder = std::move(historyFolder)](const StopRequest& stop) {
        const std::uint64_t total = FolderSizeBytes(folder, stop.Flag());
        if (stop.Requested()) return;
        PostMessageA(dialog, message, static_cast<WPARAM>(total & 0xFFFFFFFF),
                     static_cast<LPARAM>(total >> 32));
      });
}

}  // namespace corvane
