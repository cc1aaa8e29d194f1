// The buddy folders of a part of the history tree, each met once: what a
// search reads, an export writes and a deletion empties.
#pragma once

#include <string>
#include <vector>

namespace corvane {

struct BuddyFolder {
  std::string user;  // the folders' names as on disk
  std::string buddy;
  bool linked = false;  // reached through a link or junction: nothing there is deleted
};

// The buddy folders of every user (`user` empty) or of the user named so,
// of every buddy (`buddy` empty) or of the buddy named so, names found
// ignoring case as Windows opens them; each folder once, by a path without
// a link where there is one, so that a link looping back into the history
// folder lists nothing twice.  `userFolders`, where given, receives the
// path of each user folder listed.
std::vector<BuddyFolder> ListBuddyFolders(const std::string& historyFolder, const std::string& user,
                                          const std::string& buddy,
                                          std::vector<std::string>* userFolders = nullptr);

}  // namespace corvane
