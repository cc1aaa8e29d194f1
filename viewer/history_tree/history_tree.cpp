#include "viewer/history_tree/history_tree.h"

#include <windows.h>
#include <shlwapi.h>

#include <cstring>
#include <optional>

#include "common/file_time.h"
#include "viewer/history_tree/history_entries.h"

namespace corvane {
namespace {

// An upper bound of what PathCombineA produces: it adds at most the one
// separator the folder lacks, and canonicalising can only shorten.
bool FitsPathBuffer(const char* folder, const char* name) {
  const std::size_t folder_length = std::strlen(folder);
  const bool needs_separator = folder_length > 0 && folder[folder_length - 1] != '\\';
  return folder_length + (needs_separator ? 1 : 0) + std::strlen(name) < kPathCapacity;
}

bool IsDirectory(const WIN32_FIND_DATAA& entry) {
  return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<std::string> ListText(const WIN32_FIND_DATAA& entry, HistoryLevel level) {
  const std::string_view name = entry.cFileName;
  if (level == HistoryLevel::kDates) {
    if (IsDirectory(entry)) return std::nullopt;
    return DateEntryText(name);
  }
  if (!IsDirectory(entry) || IsDotEntry(name)) return std::nullopt;
  return std::string(name);
}

}  // namespace

bool CombineHistoryPath(char (&out)[kPathCapacity], const char* folder, const char* name) {
  out[0] = '\0';
  if (!FitsPathBuffer(folder, name)) return false;
  return PathCombineA(out, folder, name) != nullptr;
}

std::optional<std::string> JoinHistoryPath(const std::string& folder,
                                           std::initializer_list<std::string> parts) {
  std::string path = folder;
  for (const std::string& part : parts) {
    char joined[kPathCapacity];
    if (!CombineHistoryPath(joined, path.c_str(), part.c_str())) return std::nullopt;
    path = joined;
  }
  return path;
}

std::vector<HistoryEntry> ListHistoryEntries(const char* folder, HistoryLevel level) {
  std::vector<HistoryEntry> entries;
  char pattern[kPathCapacity];
  if (!CombineHistoryPath(pattern, folder, "*.*")) return entries;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA(pattern, &entry);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    if (!FitsPathBuffer(folder, entry.cFileName)) continue;
    if (std::optional<std::string> text = ListText(entry, level)) {
      const std::uint64_t size =
          (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
      entries.push_back(HistoryEntry{std::move(*text), size, FileTimeTicks(entry.ftLastWriteTime)});
    }
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return entries;
}

std::vector<std::string> ListHistoryLevel(const char* folder, HistoryLevel level) {
  std::vector<std::string> texts;
  for (HistoryEntry& entry : ListHistoryEntries(folder, level))
    texts.push_back(std::move(entry.text));
  return texts;
}

}  // namespace corvane
