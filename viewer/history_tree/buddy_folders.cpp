#include "viewer/history_tree/buddy_folders.h"

#include <windows.h>

#include <set>

#include "viewer/history_tree/folder_facts.h"
#include "viewer/history_tree/history_tree.h"

namespace corvane {
namespace {

bool Picked(const std::string& name, const std::string& wanted) {
  return wanted.empty() || lstrcmpiA(name.c_str(), wanted.c_str()) == 0;
}

// The folders of `folders` that VisitOnce keeps.
template <typename Folder>
std::vector<Folder> VisitedOnce(std::vector<Folder> folders,
                                const std::vector<WalkedFolder>& walked,
                                std::set<FolderIdentity>& seen) {
  const std::vector<bool> visited = VisitOnce(walked, seen);
  std::vector<Folder> kept;
  for (std::size_t i = 0; i < folders.size(); ++i) {
    if (visited[i]) kept.push_back(std::move(folders[i]));
  }
  return kept;
}

}  // namespace

std::vector<BuddyFolder> ListBuddyFolders(const std::string& historyFolder, const std::string& user,
                                          const std::string& buddy,
                                          std::vector<std::string>* userFolders) {
  const FolderFactsReader facts(historyFolder);
  std::set<FolderIdentity> seen;
  if (facts.Root().identity) seen.insert(*facts.Root().identity);

  std::vector<BuddyFolder> users;
  std::vector<WalkedFolder> walked;
  for (const HistoryEntry& entry :
       ListHistoryEntries(historyFolder.c_str(), HistoryLevel::kUsers)) {
    if (!Picked(entry.text, user)) continue;
    walked.push_back(facts.Walked(entry.text, entry.attributes, false));
    users.push_back(BuddyFolder{entry.text, "", walked.back().linked});
  }
  users = VisitedOnce(std::move(users), walked, seen);

  std::vector<BuddyFolder> buddies;
  walked.clear();
  for (const BuddyFolder& eachUser : users) {
    const std::optional<std::string> userFolder = JoinHistoryPath(historyFolder, {eachUser.user});
    if (!userFolder) continue;
    if (userFolders) userFolders->push_back(*userFolder);
    for (const HistoryEntry& entry :
         ListHistoryEntries(userFolder->c_str(), HistoryLevel::kBuddies)) {
      if (!Picked(entry.text, buddy)) continue;
      walked.push_back(
          facts.Walked(eachUser.user + "\\" + entry.text, entry.attributes, eachUser.linked));
      buddies.push_back(BuddyFolder{eachUser.user, entry.text, walked.back().linked});
    }
  }
  return VisitedOnce(std::move(buddies), walked, seen);
}

}  // namespace corvane
