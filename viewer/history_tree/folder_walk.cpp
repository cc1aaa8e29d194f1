#include "viewer/history_tree/folder_walk.h"

namespace corvane {

bool ReachedThroughLink(const FolderFacts& folder, bool parentLinked,
                        std::optional<std::uint32_t> rootVolume) {
  if (parentLinked || folder.reparsePoint || folder.resolvesElsewhere || !folder.identity)
    return true;
  return rootVolume && folder.identity->volume != *rootVolume;
}

std::vector<bool> VisitOnce(const std::vector<WalkedFolder>& folders,
                            std::set<FolderIdentity>& seen) {
  std::vector<bool> visited(folders.size(), false);
  // Folders reached directly claim their identity before any link to them.
  for (const bool linkedPass : {false, true}) {
    for (std::size_t i = 0; i < folders.size(); ++i) {
      const WalkedFolder& folder = folders[i];
      if (folder.linked != linkedPass) continue;
      visited[i] = !folder.facts.identity || seen.insert(*folder.facts.identity).second;
    }
  }
  return visited;
}

}  // namespace corvane
