// What the main dialog needs to merge what appears on disk into its lists
// without comparing every name on disk with every entry: the entries a
// list holds, known by their folded text, and the names the folder watch
// reported made since the last merge.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "viewer/history_tree/folder_watch.h"

namespace corvane {

// The entries of one list by their text folded as CharLowerBuff folds it,
// so that a name is looked up at once, ignoring case as the control's
// FindStringExact does, where the control compares it with every entry.
class ListedEntries {
 public:
  void Clear() { folded_.clear(); }
  // True when no entry equal to `text`, ignoring case, was there before.
  bool Insert(const std::string& text);
  // As Insert, for a text as FoldedName folded it.
  bool InsertFolded(std::string folded);

 private:
  std::unordered_set<std::string> folded_;
};

// `text` folded as CharLowerBuff folds it; any thread may fold.
std::string FoldedName(std::string text);

// The names below the history folder, relative to it, that the watch
// reported made (added, or renamed to) since the lists last merged; or
// that anything may have changed.
struct ReportedNames {
  bool everything = false;
  std::vector<std::string> made;

  void Add(const FolderChanges& changes);
  // Anything may have changed: the lists merge a new listing.
  void LoseCount();
};

// The parts of a relative name: "alice\bob" gives "alice" and "bob".
std::vector<std::string> NameParts(const std::string& relative);

}  // namespace corvane
