// What Windows says of the folders of the history tree: who each is
// (GetFileInformationByHandle, which Windows XP and Wine have) and where
// its path leads (GetFinalPathNameByHandleA, where the system has it).
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "viewer/history_tree/folder_walk.h"

namespace corvane {

class FolderFactsReader {
 public:
  explicit FolderFactsReader(const std::string& historyFolder);

  const FolderFacts& Root() const { return root_; }
  std::optional<std::uint32_t> RootVolume() const;

  // The folder `relative` below the history folder ("alice\bob"), as its
  // parent's listing gave its `attributes`.
  FolderFacts Of(const std::string& relative, DWORD attributes) const;

  // The same, and whether the walk reaches it through a link.
  WalkedFolder Walked(const std::string& relative, DWORD attributes, bool parentLinked) const;

 private:
  const std::string historyFolder_;
  FolderFacts root_;
  std::optional<std::string> rootFinalPath_;
};

}  // namespace corvane
