#include "viewer/search/day_index.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "viewer/html/testing/ascii_lower_fold.h"
#include "viewer/search/index_plan.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

ListedDay Day(const std::string& buddy, const std::string& date, std::uint64_t size = 100,
              std::uint64_t written = 7) {
  return ListedDay{HistoryDay{"alice", buddy, date}, size, written};
}

std::string Html(const std::string& text) { return "<HTML><BODY>" + text + "</BODY></HTML>"; }

std::vector<std::string> Buddies(const std::optional<std::vector<ListedDay>>& days) {
  std::vector<std::string> buddies;
  for (const ListedDay& day : days.value()) buddies.push_back(day.day.buddy);
  return buddies;
}

// An index in a file of its own, for the folder "H" folded as ASCII.
class DayIndexTest : public testing::Test {
 protected:
  void SetUp() override {
    path_ = (fs::temp_directory_path() /
             ("corvane-day-index-" +
              std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + ".db"))
                .string();
    RemoveFiles();
    Open();
  }
  void TearDown() override {
    index_.reset();
    RemoveFiles();
  }
  void RemoveFiles() {
    for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path_ + suffix).c_str());
  }
  void Open(const std::string& folder = "H", const FoldTable& fold = AsciiLowerFold()) {
    index_.reset();
    index_ = std::make_unique<DayIndex>(path_, folder, fold);
  }
  void Index(const std::vector<std::pair<ListedDay, std::string>>& days) {
    for (const auto& [day, html] : days) index_->Put(day, html);
    index_->Commit();
  }
  std::optional<std::vector<ListedDay>> Read(const std::vector<ListedDay>& days,
                                             const std::string& query,
                                             const FoldTable& fold = AsciiLowerFold()) {
    return index_->DaysToRead(days, query, fold, unheld_);
  }

  std::string path_;
  std::unique_ptr<DayIndex> index_;
  std::size_t unheld_ = 0;
};

TEST_F(DayIndexTest, ProposesTheDaysThatHoldEveryPieceOfTheQuery) {
  const std::vector<ListedDay> days = {Day("bob", "3"), Day("carol", "2"), Day("dave", "1")};
  Index({{days[0], Html("Lunch at noon")},
         {days[1], Html("no <B>lun</B>ch today")},
         {days[2], Html("a bunch of grapes")}});
  // The pieces, in any order, propose; the matcher decides.
  EXPECT_EQ(Buddies(Read(days, "lunch")), (std::vector<std::string>{"bob", "carol"}));
  EXPECT_EQ(Buddies(Read(days, "unch")), (std::vector<std::string>{"bob", "carol", "dave"}));
  EXPECT_EQ(Buddies(Read(days, "zebra")), std::vector<std::string>{});
  EXPECT_EQ(unheld_, 0u);
  // Match case asks the folded index too: its matches are among the fold's.
  EXPECT_EQ(Buddies(Read(days, "Lunch", IdentityFold())),
            (std::vector<std::string>{"bob", "carol"}));
}

TEST_F(DayIndexTest, ADayNotHeldAsListedIsAlwaysRead) {
  Index({{Day("bob", "2"), Html("lunch")},
         {Day("carol", "2"), Html("no")},
         {Day("dave", "2"), Html("no")}});
  const std::vector<ListedDay> now = {Day("erin", "3"),          // new
                                      Day("carol", "2", 101),    // grew
                                      Day("dave", "2", 100, 6),  // written back in time
                                      Day("bob", "2")};          // as indexed
  EXPECT_EQ(Buddies(Read(now, "lunch")),
            (std::vector<std::string>{"erin", "carol", "dave", "bob"}));
  EXPECT_EQ(unheld_, 3u);
  // A day gone from the listing is gone from the search; the indexer learns
  // what to read again and which rows to drop.
  const IndexWork work = index_->Plan({Day("carol", "2", 101)});
  EXPECT_EQ(work.held, 0u);
  ASSERT_EQ(work.toIndex.size(), 1u);
  EXPECT_EQ(work.gone.size(), 2u);
  index_->Remove(work.gone);
  index_->Put(work.toIndex[0], Html("lunch, now"));
  index_->Commit();
  EXPECT_EQ(index_->Plan({Day("carol", "2", 101)}).held, 1u);
  EXPECT_EQ(Buddies(Read({Day("carol", "2", 101)}, "lunch")), std::vector<std::string>{"carol"});
}

TEST_F(DayIndexTest, LeavesToTheFullScanWhatItCannotAnswer) {
  const std::vector<ListedDay> days = {Day("bob", "1")};
  Index({{days[0], Html("lunch")}});
  EXPECT_EQ(Read(days, "lu"), std::nullopt);
  FoldTable other = AsciiLowerFold();
  other['x'] = 'y';
  EXPECT_EQ(Read(days, "lunch", other), std::nullopt);
}

TEST_F(DayIndexTest, TextIsIndexedAsTheViewShowsItThroughTheFold) {
  FoldTable latin = AsciiLowerFold();
  latin[0xC4] = 0xE4;
  Open("H", latin);
  const std::vector<ListedDay> days = {Day("bob", "2"), Day("carol", "1")};
  Index({{days[0], Html("\xC4pfel &amp; <I>Birnen</I>")}, {days[1], Html("fish lun<BR>unch")}});
  EXPECT_EQ(Buddies(Read(days, "\xE4PFEL & b", latin)), std::vector<std::string>{"bob"});
  EXPECT_EQ(Buddies(Read(days, "fish lunk", latin)), std::vector<std::string>{});
  // Pieces on two lines propose a day that the matcher, which never
  // matches across a line break, will find without the query.
  EXPECT_EQ(Buddies(Read(days, "lunch", latin)), std::vector<std::string>{"carol"});
}

TEST_F(DayIndexTest, KeepsItsRowsAcrossOpeningsOfTheSameFolderAndFold) {
  const std::vector<ListedDay> days = {Day("bob", "1")};
  Index({{days[0], Html("lunch")}});
  Open();
  EXPECT_EQ(index_->Plan(days).held, 1u);
  EXPECT_EQ(Buddies(Read(days, "lunch")), std::vector<std::string>{"bob"});
  // Another folder or fold finds it empty, made anew.
  Open("G");
  EXPECT_EQ(index_->Plan(days).held, 0u);
  Index({{days[0], Html("lunch")}});
  Open("G", IdentityFold());
  EXPECT_EQ(index_->Plan(days).held, 0u);
  EXPECT_EQ(Buddies(Read(days, "lunch", IdentityFold())), std::vector<std::string>{"bob"});
  EXPECT_EQ(unheld_, 1u);
}

TEST_F(DayIndexTest, ADamagedFileIsReportedAsSuch) {
  index_.reset();
  RemoveFiles();
  std::ofstream(path_, std::ios::binary) << std::string(8192, 'x');
  try {
    Open();
    FAIL() << "opened a file that is no database";
  } catch (const IndexError& error) {
    EXPECT_TRUE(error.Damaged()) << error.what();
  }
}

// OpenDayIndex over the test's file, counting how often it was taken away.
class OpenDayIndexTest : public DayIndexTest {
 protected:
  std::shared_ptr<DayIndex> OpenOrRebuild() {
    return OpenDayIndex(path_, "H", AsciiLowerFold(), [this] {
      ++removed_;
      RemoveFiles();
    });
  }
  // Runs `sql` in a connection of another program's.
  void Foreign(const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path_.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db);
    sqlite3_close(db);
  }
  int removed_ = 0;
};

TEST_F(OpenDayIndexTest, OnlyADamagedOrForeignFileIsMadeAnew) {
  const std::vector<ListedDay> days = {Day("bob", "1")};
  Index({{days[0], Html("lunch")}});
  index_.reset();
  EXPECT_EQ(OpenOrRebuild()->Plan(days).held, 1u);
  EXPECT_EQ(removed_, 0);

  RemoveFiles();
  std::ofstream(path_, std::ios::binary) << std::string(8192, 'x');
  ASSERT_NE(OpenOrRebuild(), nullptr);
  EXPECT_EQ(removed_, 1);

  // A table, trigger or view of someone else's counts as damage too.
  for (const char* extra :
       {"CREATE TABLE notes(x)", "CREATE TRIGGER t AFTER INSERT ON days BEGIN SELECT 1; END",
        "CREATE VIEW v AS SELECT * FROM days"}) {
    Foreign(extra);
    std::shared_ptr<DayIndex> opened = OpenOrRebuild();
    ASSERT_NE(opened, nullptr) << extra;
    opened->Put(days[0], Html("lunch"));
    opened->Commit();
  }
  EXPECT_EQ(removed_, 4);
}

TEST_F(OpenDayIndexTest, ABusyOrFullFileIsLeftForALaterTry) {
  const std::vector<ListedDay> days = {Day("bob", "1")};
  Index({{days[0], Html("lunch")}});
  index_.reset();
  {
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path_.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(OpenOrRebuild(), nullptr);
    sqlite3_close(other);
  }
#ifndef _WIN32
  {
    // No file may grow by a byte: the first write finds the disk full.
    struct rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto ignored = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit full = saved;
    full.rlim_cur = 0;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    const std::shared_ptr<DayIndex> opened = OpenOrRebuild();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, ignored);
    EXPECT_EQ(opened, nullptr);
  }
#endif
  EXPECT_EQ(removed_, 0);
  EXPECT_EQ(OpenOrRebuild()->Plan(days).held, 1u);
}

TEST_F(DayIndexTest, TextNoDayHoldsAnyMoreAsksForARebuildOnceItOutweighsTheRest) {
  const std::string big = Html(std::string(600 << 10, 'a'));
  Index({{Day("bob", "1"), big}, {Day("carol", "1"), big}, {Day("dave", "1"), Html("small")}});
  index_->Remove(index_->Plan({Day("dave", "1")}).gone);
  index_->Commit();
  EXPECT_TRUE(index_->WantsRebuild());
  index_->Empty();
  index_->Commit();
  EXPECT_FALSE(index_->WantsRebuild());
  EXPECT_EQ(index_->Plan({Day("dave", "1")}).held, 0u);
  EXPECT_EQ(Read({Day("dave", "1")}, "small")->size(), 1u);
  EXPECT_EQ(unheld_, 1u);
}

}  // namespace
}  // namespace corvane
