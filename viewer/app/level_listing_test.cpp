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

  std::string root_;
  HWND window_ = nullptr;
};

// The pick before this one was listed in full, its message on its way,
// when the user picked again: what the window takes is the new pick's.
TEST_F(LevelListingTest, ALateListingNeverReplacesTheOneAskedAfterIt) {
  const LCID locale = GetUserDefaultLCID();
  LevelListing levels(window_, kListed);
  levels.Start(HistoryLevel::kBuddies, Path("old"), locale);
  ASSERT_TRUE(WaitForListed(window_));
  levels.Start(HistoryLevel::kBuddies, Path("new"), locale);
  EXPECT_TRUE(levels.Pending());
  std::optional<ListedLevel> listed;
  for (int tries = 0; !listed && tries < 2000; ++tries) {
    ASSERT_TRUE(WaitForListed(window_));
    DiscardListed(window_);
    listed = levels.Take();
  }
  ASSERT_TRUE(listed);
  EXPECT_EQ(listed->texts, std::vector<std::string>{"dave"});
  EXPECT_FALSE(listed->entries.Insert("Dave"));
  EXPECT_FALSE(levels.Pending());
  EXPECT_FALSE(levels.Take());

  // Dropped once done, a listing is never taken.
  levels.Start(HistoryLevel::kBuddies, Path("old"), locale);
  ASSERT_TRUE(WaitForListed(window_));
  levels.Drop();
  EXPECT_FALSE(levels.Take());
  EXPECT_FALSE(levels.Pending());
}

}  // namespace
}  // namespace corvane
