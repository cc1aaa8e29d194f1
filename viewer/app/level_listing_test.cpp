// A level listed on its own thread reaches the window only while it is the
// listing asked last.
#include "viewer/app/level_listing.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace corvane {
namespace {

constexpr UINT kListed = WM_APP + 1;

// Waits, pumping nothing else, until the window holds the listing's message.
bool WaitForListed(HWND window) {
  MSG msg;
  for (DWORD waited = 0; waited < 10000; waited += 5) {
    if (PeekMessageA(&msg, window, kListed, kListed, PM_NOREMOVE)) return true;
    Sleep(5);
  }
  return false;
}

void DiscardListed(HWND window) {
  MSG msg;
  while (PeekMessageA(&msg, window, kListed, kListed, PM_REMOVE)) {
  }
}

class LevelListingTest : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char dir[MAX_PATH];
    std::snprintf(dir, sizeof dir, "%scorvane-levels-%lu", temp, GetCurrentProcessId());
    root_ = dir;
    for (const std::string& folder : {root_, Path("old"), Path("old\\bob"), Path("old\\carol"),
                                      Path("new"), Path("new\\dave")}) {
      ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    }
    window_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                              nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    DestroyWindow(window_);
    for (const char* folder : {"old\\bob", "old\\carol", "old", "new\\dave", "new"})
      RemoveDirectoryA(Path(folder).c_str());
    RemoveDirectoryA(root_.c_str());
  }
  std::string Path(const std::string& relative) const { return root_ + "\\" + relative; }
  // The listing the window takes once it is done, as the window would.
  std::optional<Listing> TakeWhenListed(LevelListing& levels) {
    std::optional<Listing> listing;
    for (int tries = 0; !listing && tries < 2000; ++tries) {
      if (!WaitForListed(window_)) break;
      DiscardListed(window_);
      listing = levels.Take();
    }
    return listing;
  }
  LevelToList Buddies(const std::string& user) const {
    return {HistoryLevel::kBuddies, Path(user), locale_};
  }

  const LCID locale_ = GetUserDefaultLCID();

  std::string root_;
  HWND window_ = nullptr;
};

// The pick before this one was listed in full, its message on its way,
// when the user picked again: what the window takes is the new pick's.
TEST_F(LevelListingTest, ALateListingNeverReplacesTheOneAskedAfterIt) {
  LevelListing levels(window_, kListed);
  levels.Start(ListingPurpose::kFill, {Buddies("old")});
  ASSERT_TRUE(WaitForListed(window_));
  levels.Start(ListingPurpose::kFill, {Buddies("new")});
  EXPECT_TRUE(levels.Pending());
  std::optional<Listing> listing = TakeWhenListed(levels);
  ASSERT_TRUE(listing);
  ASSERT_EQ(listing->levels.size(), 1u);
  EXPECT_EQ(listing->levels[0].texts, std::vector<std::string>{"dave"});
  EXPECT_FALSE(listing->levels[0].entries.Insert("Dave"));
  EXPECT_FALSE(levels.Pending());
  EXPECT_FALSE(levels.Take());

  // Dropped once done, a listing is never taken.
  levels.Start(ListingPurpose::kFill, {Buddies("old")});
  ASSERT_TRUE(WaitForListed(window_));
  levels.Drop();
  EXPECT_FALSE(levels.Take());
  EXPECT_FALSE(levels.Pending());
}

// A merge lists each level asked, in order.  Done, its message on its
// way, when the user picked: the window takes the pick's listing, and the
// merge's lists, of the selection before, never reach it.
TEST_F(LevelListingTest, AMergeListsEachLevelAndAPickAfterItOvertakesIt) {
  LevelListing levels(window_, kListed);
  const std::vector<LevelToList> merged{{HistoryLevel::kUsers, root_, locale_}, Buddies("old")};
  levels.Start(ListingPurpose::kMerge, merged);
  EXPECT_TRUE(levels.Merging());
  std::optional<Listing> listing = TakeWhenListed(levels);
  ASSERT_TRUE(listing);
  EXPECT_EQ(listing->purpose, ListingPurpose::kMerge);
  ASSERT_EQ(listing->levels.size(), 2u);
  EXPECT_EQ(listing->levels[0].texts, (std::vector<std::string>{"new", "old"}));
  EXPECT_EQ(listing->levels[1].texts, (std::vector<std::string>{"bob", "carol"}));
  EXPECT_FALSE(levels.Merging());

  levels.Start(ListingPurpose::kMerge, merged);
  ASSERT_TRUE(WaitForListed(window_));
  levels.Start(ListingPurpose::kFill, {Buddies("new")});
  EXPECT_FALSE(levels.Merging());
  listing = TakeWhenListed(levels);
  ASSERT_TRUE(listing);
  EXPECT_EQ(listing->purpose, ListingPurpose::kFill);
  ASSERT_EQ(listing->levels.size(), 1u);
  EXPECT_EQ(listing->levels[0].texts, std::vector<std::string>{"dave"});
}

}  // namespace
}  // namespace corvane
