// Where the search index of a history folder lives: a cache, one database
// per history folder under the user's local application data
// (%LOCALAPPDATA%\Corvane\), never in the roaming profile and never inside
// the history folder, where the viewer would list it.
#pragma once

#include <string>

namespace corvane {

// The history folder as the index knows it: its full path, in lower case,
// without a trailing separator, so that one folder spelt two ways has one
// index.
std::string IndexedFolderName(const std::string& historyFolder);

// The name the history folder's index goes by: "search-" and sixteen hex
// digits of a hash of its IndexedFolderName.
std::string SearchIndexName(const std::string& historyFolder);

// The index's file, its folder made when missing; empty when the user has
// no local application data folder or it lies inside the history folder.
std::string SearchIndexPath(const std::string& historyFolder);

// A path in the ANSI code page as SQLite takes it, in UTF-8.
std::string Utf8Path(const std::string& path);

}  // namespace corvane
