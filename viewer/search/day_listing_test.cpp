#include "viewer/search/day_listing.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace corvane {
namespace {

FILETIME AnHourAgo() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER ticks{{now.dwLowDateTime, now.dwHighDateTime}};
  ticks.QuadPart -= 3600ULL * 10'000'000ULL;
  return FILETIME{ticks.LowPart, ticks.HighPart};
}

// A user folder with one buddy folder whose day files the test adds.
class DayListingTest : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    // Unique even where a killed run left its folder behind: Wine gives
    // out the same process ids again and again.
    user_ = std::string(temp) + "corvane-day-listing-" + std::to_string(GetCurrentProcessId()) +
            "-" + std::to_string(GetTickCount());
    buddy_ = user_ + "\\bob";
    CreateDirectoryA(user_.c_str(), nullptr);
    CreateDirectoryA(buddy_.c_str(), nullptr);
    listing_.Begin(user_);
  }
  void TearDown() override {
    for (const std::string& name : days_) DeleteFileA((buddy_ + "\\" + name).c_str());
    RemoveDirectoryA(buddy_.c_str());
    RemoveDirectoryA(user_.c_str());
  }
  void AddDay(const std::string& name, const std::string& html = "<HTML></HTML>") {
    std::ofstream(buddy_ + "\\" + name, std::ios::binary) << html;
    days_.push_back(name);
  }
  // Sets the buddy folder's write time, as an entry change made then would.
  void SetWritten(const FILETIME& time) {
    const HANDLE folder = CreateFileA(buddy_.c_str(), FILE_WRITE_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(folder, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(SetFileTime(folder, nullptr, nullptr, &time));
    CloseHandle(folder);
  }
  FILETIME Written() const {
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    EXPECT_TRUE(GetFileAttributesExA(buddy_.c_str(), GetFileExInfoStandard, &attributes));
    return attributes.ftLastWriteTime;
  }
  // Lists one day in a folder last changed an hour ago, then adds a second
  // day and puts the folder's write time back, as if nothing had changed.
  void KeepOneDayThenHideASecond() {
    AddDay("2002-01-07.html");
    const FILETIME old = AnHourAgo();
    SetWritten(old);
    ASSERT_EQ(Dates().size(), 1u);
    AddDay("2002-01-08.html");
    SetWritten(old);
  }
  std::vector<std::string> Dates() {
    std::vector<std::string> dates;
    const DayListing::Entries days = listing_.Days(buddy_);
    for (const HistoryEntry& day : *days) dates.push_back(day.text);
    std::sort(dates.begin(), dates.end());
    return dates;
  }
  std::uint64_t SizeOf(const std::string& date) {
    const DayListing::Entries days = listing_.Days(buddy_);
    for (const HistoryEntry& day : *days) {
      if (day.text == date) return day.size;
    }
    return 0;
  }

  std::string user_, buddy_;
  std::vector<std::string> days_;
  DayListing listing_;
};

TEST_F(DayListingTest, AFolderWhoseEntriesChangedIsListedAgain) {
  AddDay("2002-01-07.html");
  SetWritten(AnHourAgo());
  ASSERT_EQ(Dates().size(), 1u);
  AddDay("2002-01-08.html");  // the file system moves the folder's write time on
  EXPECT_EQ(Dates().size(), 2u);
  DeleteFileA((buddy_ + "\\2002-01-07.html").c_str());
  EXPECT_EQ(Dates().size(), 1u);
}

// Only the write time tells.
TEST_F(DayListingTest, AnOldListingIsKeptWhileTheWriteTimeStays) {
  KeepOneDayThenHideASecond();
  EXPECT_EQ(Dates().size(), 1u);
}

TEST_F(DayListingTest, AListingMadeRightAfterAChangeIsNeverKept) {
  AddDay("2002-01-07.html");
  const FILETIME recent = Written();
  ASSERT_EQ(Dates().size(), 1u);
  // A second change in the same clock tick would leave the time as it was.
  AddDay("2002-01-08.html");
  SetWritten(recent);
  EXPECT_EQ(Dates().size(), 2u);
}

TEST_F(DayListingTest, AnotherHistoryFolderForgetsWhatWasKept) {
  KeepOneDayThenHideASecond();
  listing_.Begin(buddy_);
  listing_.Begin(user_);
  EXPECT_EQ(Dates().size(), 2u);
}

// A day file written keeps its folder's time: only the watch's word that
// the folder changed lets its new size be seen.
TEST_F(DayListingTest, AFolderTheWatchReportsIsListedAgainWithItsFilesAsTheyAre) {
  AddDay("2002-01-07.html");
  const FILETIME old = AnHourAgo();
  SetWritten(old);
  ASSERT_EQ(SizeOf("2002-01-07"), 13u);
  AddDay("2002-01-07.html", "<HTML>more</HTML>");
  SetWritten(old);
  EXPECT_EQ(SizeOf("2002-01-07"), 13u);  // kept
  listing_.Forget(buddy_);
  EXPECT_EQ(SizeOf("2002-01-07"), 17u);
  AddDay("2002-01-07.html", "<HTML>and more</HTML>");
  SetWritten(old);
  listing_.Forget(user_);  // the user's folder, and so everything in it
  EXPECT_EQ(SizeOf("2002-01-07"), 21u);
  AddDay("2002-01-07.html", "<HTML></HTML>");
  SetWritten(old);
  listing_.ForgetAll();
  EXPECT_EQ(SizeOf("2002-01-07"), 13u);
}

}  // namespace
}  // namespace corvane
