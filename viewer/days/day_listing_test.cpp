#include "viewer/days/day_listing.h"

#include "viewer/days/day_scope.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
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

// A history folder with one user and one buddy folder whose day files the
// test adds.
class DayListingTest : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    // Unique even where a killed run left its folder behind: Wine gives
    // out the same process ids again and again.
    root_ = std::string(temp) + "corvane-day-listing-" + std::to_string(GetCurrentProcessId()) +
            "-" + std::to_string(GetTickCount());
    user_ = root_ + "\\alice";
    buddy_ = user_ + "\\bob";
    CreateDirectoryA(root_.c_str(), nullptr);
    CreateDirectoryA(user_.c_str(), nullptr);
    CreateDirectoryA(buddy_.c_str(), nullptr);
    listing_.Begin(root_);
  }
  void TearDown() override {
    for (const std::string& name : days_) DeleteFileA((buddy_ + "\\" + name).c_str());
    for (const std::string& name : folders_) RemoveDirectoryA((buddy_ + "\\" + name).c_str());
    RemoveDirectoryA(buddy_.c_str());
    RemoveDirectoryA(user_.c_str());
    RemoveDirectoryA(root_.c_str());
  }
  void AddDay(const std::string& name, const std::string& html = "<HTML></HTML>") {
    std::ofstream(buddy_ + "\\" + name, std::ios::binary) << html;
    days_.push_back(name);
  }
  // Sets a folder's write time, as an entry change made then would.
  void SetWritten(const FILETIME& time) { SetWritten(time, buddy_); }
  void SetWritten(const FILETIME& time, const std::string& path) {
    const HANDLE folder = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES,
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

  std::string root_, user_, buddy_;
  std::vector<std::string> days_;
  std::vector<std::string> folders_;
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
  listing_.Begin(root_);
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

// A buddy added moves its user folder's time on; one whose user folder's
// time was put back is found only once the watch reports it.
TEST_F(DayListingTest, BuddyFoldersAreKeptTillAUserFolderOrTheWatchSaysOtherwise) {
  const auto buddies = [this] {
    std::vector<std::string> names;
    for (const BuddyFolder& folder : *listing_.BuddyFolders("", "")) names.push_back(folder.buddy);
    std::sort(names.begin(), names.end());
    return names;
  };
  const FILETIME old = AnHourAgo();
  SetWritten(old, root_);
  SetWritten(old, user_);
  ASSERT_EQ(buddies(), std::vector<std::string>{"bob"});
  const std::string carl = user_ + "\\carl", dave = user_ + "\\dave";
  CreateDirectoryA(carl.c_str(), nullptr);
  SetWritten(old, user_);
  EXPECT_EQ(buddies(), std::vector<std::string>{"bob"});
  listing_.ForgetFolders();
  EXPECT_EQ(buddies(), (std::vector<std::string>{"bob", "carl"}));
  CreateDirectoryA(dave.c_str(), nullptr);
  EXPECT_EQ(buddies(), (std::vector<std::string>{"bob", "carl", "dave"}));
  RemoveDirectoryA(carl.c_str());
  RemoveDirectoryA(dave.c_str());
}

// The search reads every file the date list shows; an export and a
// deletion take the day files alone, with their dates.
TEST_F(DayListingTest, AScopeListsWhatTheDateListShowsAndItsDayFiles) {
  AddDay("2002-06-14 [Friday].html", std::string(1234, 'x'));
  AddDay("2002-06-15 [SATURDAY].HTML", "12345");
  AddDay("2002-06-16 [Friday].html");  // the wrong weekday
  AddDay("notes.html");
  AddDay("readme.txt");
  folders_.push_back("2002-06-17 [Monday].html");
  CreateDirectoryA((buddy_ + "\\" + folders_.back()).c_str(), nullptr);
  const auto texts = [](std::vector<ListedDay> days) {
    std::vector<std::string> dates;
    for (const ListedDay& day : days)
      dates.push_back(day.day.user + "/" + day.day.buddy + "/" + day.day.date);
    std::sort(dates.begin(), dates.end());
    return dates;
  };
  static const std::atomic<bool> kNeverCancelled{false};
  EXPECT_EQ(
      texts(ListDaysInScope(listing_, root_, "", "", kNeverCancelled)),
      (std::vector<std::string>{"alice/bob/2002-06-14 [Friday]", "alice/bob/2002-06-15 [SATURDAY]",
                                "alice/bob/2002-06-16 [Friday]", "alice/bob/notes"}));

  std::vector<ListedDay> days =
      ListDayFilesInScope(root_, HistoryScope{"ALICE", "", {}}, kNeverCancelled);
  std::sort(days.begin(), days.end(),
            [](const ListedDay& a, const ListedDay& b) { return a.day.date < b.day.date; });
  ASSERT_EQ(texts(days), (std::vector<std::string>{"alice/bob/2002-06-14 [Friday]",
                                                   "alice/bob/2002-06-15 [SATURDAY]"}));
  EXPECT_EQ(days[0].dayFileDate, (CalendarDate{2002, 6, 14}));
  EXPECT_EQ(days[0].size, 1234u);
  EXPECT_FALSE(days[0].linked);
  EXPECT_EQ(days[1].size, 5u);
  // Its write time is the file's own.
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const std::uint64_t ticks =
      (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  EXPECT_LT(ticks - days[0].written, 600ULL * 10'000'000);
  EXPECT_EQ(DayFilePath(root_, days[0].day), buddy_ + "\\2002-06-14 [Friday].html");
  EXPECT_EQ(texts(ListDayFilesInScope(
                root_, HistoryScope{"alice", "bob", CalendarDate{2002, 6, 15}}, kNeverCancelled)),
            (std::vector<std::string>{"alice/bob/2002-06-15 [SATURDAY]"}));
  EXPECT_TRUE(ListDayFilesInScope(root_, HistoryScope{"nobody", "", {}}, kNeverCancelled).empty());
}

}  // namespace
}  // namespace corvane
