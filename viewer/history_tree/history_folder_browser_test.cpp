#include "viewer/history_tree/history_folder_browser.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include "tests/support/box_answerer.h"

namespace corvane {
namespace {

constexpr char kBrowserCaption[] = "Browse for Folder";

// Whether this thread is still in the multithreaded apartment: entering it
// again then only counts up (S_FALSE).
bool StillInMultithreadedApartment() {
  const HRESULT again = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (SUCCEEDED(again)) CoUninitialize();
  return again == S_FALSE;
}

TEST(BrowseForHistoryFolder, CancelledGivesNoFolder) {
  BoxAnswerer cancel(kBrowserCaption, IDCANCEL);
  EXPECT_EQ(BrowseForHistoryFolder(nullptr), "");
  EXPECT_TRUE(cancel.Answered());
}

// A thread already in the multithreaded apartment cannot enter a
// single-threaded one; the browser must leave that thread's COM as it was.
TEST(BrowseForHistoryFolder, LeavesTheThreadsOwnComAlone) {
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
  {
    BoxAnswerer cancel(kBrowserCaption, IDCANCEL);
    BrowseForHistoryFolder(nullptr);
  }
  EXPECT_TRUE(StillInMultithreadedApartment());
  CoUninitialize();
}

}  // namespace
}  // namespace corvane
