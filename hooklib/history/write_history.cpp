#include "hooklib/history/write_history.h"

#include <windows.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "common/capacities.h"
#include "common/code_page_characters.h"
#include "common/history_naming.h"
#include "common/path_rules.h"
#include "common/unique_handle.h"
#include "hooklib/core/system_clock.h"
#include "hooklib/history/day_file.h"
#include "hooklib/history/day_file_io.h"
#include "hooklib/history/folder_name.h"

namespace corvane {
namespace {

constexpr char kWriteFailedText[] =
    "Failed to write log file!\n\nThis usually means that your disk is full.\n\n"
    "Or,  the log directory is invalid (does not exist, or you don't have write-access to this "
    "directory).";

bool NamesEqualAsWindowsDoes(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

std::vector<FolderEntry> ListFolder(const char* folder) {
  std::vector<FolderEntry> entries;
  char pattern[kPathCapacity];
  if (PathCombineA(pattern, folder, "*.*") == nullptr) return entries;
  WIN32_FIND_DATAA found;
  const FindHandle listing(FindFirstFileA(pattern, &found));
  if (!listing) return entries;
  do {
    entries.push_back({found.cFileName, found.dwFileAttributes});
  } while (FindNextFileA(listing.Get(), &found));
  return entries;
}

// Resolves `name` against the folders of `parent` (it becomes the folder's
// exact name), joins it and makes the folder.  False when it is refused or
// not a folder.
bool MakeNamedFolder(const char* parent, std::string& name, char (&path)[kPathCapacity]) {
  const auto resolved =
      ResolveFolderName(name, ListFolder(parent), NamesEqualAsWindowsDoes, SystemLeadBytes());
  if (!resolved) return false;
  name = *resolved;
  if (PathCombineA(path, parent, name.c_str()) == nullptr) return false;
  CreateDirectoryA(path, nullptr);
  return PathIsDirectoryA(path) != FALSE;
}

}  // namespace

void ShowWriteFailure() { MessageBoxA(nullptr, kWriteFailedText, "Corvane Error", MB_OK); }

HistoryWrite WriteHistory(const char* historyFolder, std::string_view userName,
                          std::string_view buddyName, const char* sessionKey, std::string_view text,
                          DayFileMark& mark) {
  HistoryWrite result{false, std::string(userName), std::string(buddyName)};
  // A folder without its drive or share would be resolved against the
  // messenger's current folder: history where nobody looks for it.
  const bool usable = IsFullyQualifiedPath(historyFolder);
  if (usable) CreateDirectoryA(historyFolder, nullptr);
  char userPath[kPathCapacity], buddyPath[kPathCapacity], filePath[kPathCapacity],
      temporary[kPathCapacity];
  bool written = usable && PathIsDirectoryA(historyFolder) &&
                 MakeNamedFolder(historyFolder, result.userName, userPath) &&
                 MakeNamedFolder(userPath, result.buddyName, buddyPath);
  if (written) {
    const LocalClockTime now = LocalTimeNow();
    const std::string name = DayFileName(now.year, now.month, now.day, now.dayOfWeek);
    const std::string temporaryName =
        TemporaryDayFileName(now.year, now.month, now.day, GetCurrentThreadId());
    written = PathCombineA(filePath, buddyPath, name.c_str()) != nullptr &&
              PathCombineA(temporary, buddyPath, temporaryName.c_str()) != nullptr;
    if (written) {
      if (mark.path != filePath) {
        mark = DayFileMark();
        mark.path = filePath;
      }
      Win32DayFile file(filePath, temporary);
      written = WriteSessionBlock(file, sessionKey, text, mark) != DayFileRoute::kFailed;
    }
  }
  result.written = written;
  return result;
}

}  // namespace corvane
