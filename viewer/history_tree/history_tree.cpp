#include "viewer/history_tree/history_tree.h"

#include <windows.h>
#include <shlwapi.h>

#include <cstring>
#include <optional>

#include "common/file_time.h"
#include "common/unique_handle.h"
#include "viewer/history_tree/history_entries.h"

namespace corvane {
namespace {

// An upper bound of what PathCombineA produces: it adds at most the one
// separator the folder lacks, and canonicalising can only shorten.
bool FitsPathBuffer(const char* folder, const char* name) {
  const std::size_t folderLength = std::strlen(folder);
  const bool needsSeparator = folderLength > 0 && folder[folderLength - 1] != '\\';
  return folderLength + (needsSeparator ? 1 : 0) + std::strlen(name) < kPathCapacity;
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

namespace {

const std::atomic<bool> kNeverCancelled{false};

std::uint64_t SizeOf(const WIN32_FIND_DATAA& entry) {
  return (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

// Calls take(entry) for each entry of `folder` that matches `pattern` and
// whose path fits a path buffer, until `cancelled`.
template <typename Take>
void ForEachEntry(const char* folder, const char* pattern, const std::atomic<bool>& cancelled,
                  Take take) {
  char path[kPathCapacity];
  if (!CombineHistoryPath(path, folder, pattern)) return;
  WIN32_FIND_DATAA entry;
  const FindHandle find(FindFirstFileA(path, &entry));
  if (!find) return;
  do {
    if (FitsPathBuffer(folder, entry.cFileName)) take(entry);
  } while (!cancelled && FindNextFileA(find.Get(), &entry));
}

std::vector<HistoryEntry> ListEntries(const char* folder, HistoryLevel level,
                                      const std::atomic<bool>& cancelled) {
  std::vector<HistoryEntry> entries;
  ForEachEntry(folder, "*.*", cancelled, [&](const WIN32_FIND_DATAA& entry) {
    if (std::optional<std::string> text = ListText(entry, level)) {
      entries.push_back(HistoryEntry{std::move(*text), SizeOf(entry),
                                     FileTimeTicks(entry.ftLastWriteTime), entry.dwFileAttributes});
    }
  });
  return entries;
}

}  // namespace

std::vector<HistoryEntry> ListHistoryEntries(const char* folder, HistoryLevel level) {
  return ListEntries(folder, level, kNeverCancelled);
}

std::vector<std::string> ListHistoryLevel(const char* folder, HistoryLevel level) {
  return ListHistoryLevel(folder, level, kNeverCancelled);
}

std::vector<std::string> ListHistoryLevel(const char* folder, HistoryLevel level,
                                          const std::atomic<bool>& cancelled) {
  std::vector<std::string> texts;
  for (HistoryEntry& entry : ListEntries(folder, level, cancelled))
    texts.push_back(std::move(entry.text));
  return texts;
}

std::optional<std::string> HistoryLevelEntry(const char* folder, const std::string& name,
                                             HistoryLevel level) {
  // A name with a wildcard would be read as a pattern of other names.
  if (name.empty() || name.find_first_of("*?") != std::string::npos) return std::nullopt;
  std::optional<std::string> text;
  ForEachEntry(folder, name.c_str(), kNeverCancelled,
               [&](const WIN32_FIND_DATAA& entry) { text = ListText(entry, level); });
  return text;
}

}  // namespace corvane
