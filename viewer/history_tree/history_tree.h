// Reading one level of the history tree (users, buddies of a user, day files
// of a buddy) the way the viewer lists it.
#pragma once

#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "common/capacities.h"
#include "viewer/history_tree/history_entries.h"

namespace corvane {

enum class HistoryLevel { kUsers, kBuddies, kDates };

// Joins a folder and a name with PathCombineA.  False (and an empty result)
// when the joined path would not fit the buffer; such a path is never
// truncated, as a cut path could name a different file.
bool CombineHistoryPath(char (&out)[kPathCapacity], const char* folder, const char* name);

// The folder joined with each part in turn, as CombineHistoryPath does;
// nullopt when any step would not fit.
std::optional<std::string> JoinHistoryPath(const std::string& folder,
                                           std::initializer_list<std::string> parts);

// The list texts of the entries of `folder` that belong to `level`, in the
// order the file system returns them.  Entries whose full path would not fit
// a path buffer are left out: the viewer could not open them.  Once
// `cancelled`, what was listed so far.
std::vector<std::string> ListHistoryLevel(const char* folder, HistoryLevel level);
std::vector<std::string> ListHistoryLevel(const char* folder, HistoryLevel level,
                                          const std::atomic<bool>& cancelled);

// The list text of the entry `name` of `folder`, as ListHistoryLevel would
// list it; nothing when there is no such entry or it does not belong to
// `level`.
std::optional<std::string> HistoryLevelEntry(const char* folder, const std::string& name,
                                             HistoryLevel level);

// An entry of a level with what its folder says of it.
struct HistoryEntry {
  std::string text;
  std::uint64_t size = 0;
  std::uint64_t written = 0;     // last write time, in FILETIME ticks
  std::uint32_t attributes = 0;  // the file system's FILE_ATTRIBUTE_... bits
};

// The entries ListHistoryLevel lists, with their sizes and write times.
std::vector<HistoryEntry> ListHistoryEntries(const char* folder, HistoryLevel level);

}  // namespace corvane
