#include "viewer/history_tree/folder_walk.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr std::uint32_t kVolume = 7;

FolderFacts Folder(std::uint64_t index, std::uint32_t volume = kVolume) {
  FolderFacts facts;
  facts.identity = FolderIdentity{volume, index};
  return facts;
}

TEST(ReachedThroughLink, AnyOfTheSignsOfALinkOrItsParents) {
  EXPECT_FALSE(ReachedThroughLink(Folder(1), false, kVolume));
  EXPECT_FALSE(ReachedThroughLink(Folder(1), false, std::nullopt));
  EXPECT_TRUE(ReachedThroughLink(Folder(1), true, kVolume));

  FolderFacts junction = Folder(1);
  junction.reparsePoint = true;
  EXPECT_TRUE(ReachedThroughLink(junction, false, kVolume));
  // Wine may show a Unix symbolic link as a plain folder: where it leads,
  // or its volume, tells.
  FolderFacts elsewhere = Folder(1);
  elsewhere.resolvesElsewhere = true;
  EXPECT_TRUE(ReachedThroughLink(elsewhere, false, kVolume));
  EXPECT_TRUE(ReachedThroughLink(Folder(1, kVolume + 1), false, kVolume));
  // A folder that cannot be opened cannot be shown to be ours.
  EXPECT_TRUE(ReachedThroughLink(FolderFacts{}, false, kVolume));
}

TEST(VisitOnce, EachFolderOnceAndByItsDirectPathFirst) {
  std::set<FolderIdentity> seen = {FolderIdentity{kVolume, 1}};  // the history folder
  // A link back to the history folder, a link met before the folder it
  // leads to, the folder itself, another, and two that cannot be known.
  const std::vector<WalkedFolder> level = {{Folder(1), true},     {Folder(2), true},
                                           {Folder(2), false},    {Folder(3), false},
                                           {FolderFacts{}, true}, {FolderFacts{}, true}};
  EXPECT_EQ(VisitOnce(level, seen), (std::vector<bool>{false, false, true, true, true, true}));
  // A later level finds them seen.
  EXPECT_EQ(VisitOnce({{Folder(3), false}, {Folder(4), false}}, seen),
            (std::vector<bool>{false, true}));
}

}  // namespace
}  // namespace corvane
