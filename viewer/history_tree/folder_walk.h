// A walk of the history tree that meets every folder once and never loops,
// and knows which folders it reached through a link or junction: the day
// files there belong somewhere else, and a deletion leaves them.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <tuple>
#include <vector>

namespace corvane {

// A folder as the file system knows it, by whatever path it was reached:
// its volume's serial number and its file index.
struct FolderIdentity {
  std::uint32_t volume = 0;
  std::uint64_t index = 0;
};

inline bool operator<(const FolderIdentity& a, const FolderIdentity& b) {
  return std::tie(a.volume, a.index) < std::tie(b.volume, b.index);
}

// What the file system says of a folder the walk meets.
struct FolderFacts {
  std::optional<FolderIdentity> identity;  // none: the folder could not be opened
  bool reparsePoint = false;               // a link, junction or mount point
  bool resolvesElsewhere = false;          // the system resolves its path elsewhere
};

// Whether a walk from a history folder on volume `rootVolume` reaches
// `folder` through a link: it is a reparse point, the system resolves its
// path to another place, it lies on another volume, it cannot be known, or
// so was the folder that holds it.  Under Wine a Unix symbolic link may
// show as a plain folder: then only where it leads tells.
bool ReachedThroughLink(const FolderFacts& folder, bool parentLinked,
                        std::optional<std::uint32_t> rootVolume);

struct WalkedFolder {
  FolderFacts facts;
  bool linked = false;  // as ReachedThroughLink says
};

// Which of `folders`, met by a walk in this order, it visits: each folder
// once, by a path without a link where there is one, and one of unknown
// identity each time (it is linked, so nothing goes and the walk never
// enters it to count).  `seen` holds the folders visited before and gains
// those visited now.
std::vector<bool> VisitOnce(const std::vector<WalkedFolder>& folders,
                            std::set<FolderIdentity>& seen);

}  // namespace corvane
