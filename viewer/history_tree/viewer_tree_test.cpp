// The viewer's reading, deleting and watching of a real history tree.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "viewer/history_tree/folder_size.h"
#include "viewer/history_tree/folder_watch.h"
#include "viewer/history_tree/history_deletion.h"
#include "viewer/history_tree/history_size_text.h"
#include "viewer/history_tree/history_tree.h"

namespace corvane {
namespace {

std::vector<std::string> Sorted(std::vector<std::string> texts) {
  std::sort(texts.begin(), texts.end());
  return texts;
}

const std::atomic<bool> kNeverCancelled{false};

std::uint64_t SizeOf(const std::string& folder) { return FolderSizeBytes(folder, kNeverCancelled); }

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The path in the form that the wide functions accept at any length.
std::wstring LongPath(const std::string& path) {
  return L"\\\\?\\" + std::wstring(path.begin(), path.end());
}

// Makes a folder whose path may be longer than the ANSI functions accept.
bool MakeLongFolder(const std::string& path) {
  return CreateDirectoryW(LongPath(path).c_str(), nullptr) != 0;
}

// Removes a folder with everything in it, however long the paths inside.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

class HistoryTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    char dir[MAX_PATH];
    std::snprintf(dir, sizeof dir, "%scorvane-tree-%lu-%lu", temp, GetCurrentProcessId(),
                  static_cast<unsigned long>(GetTickCount()));
    root_ = dir;
    ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
  }

  void TearDown() override { RemoveTree(LongPath(root_)); }

  std::string Path(const std::string& relative) const { return root_ + "\\" + relative; }

  void Folder(const std::string& relative) const {
    ASSERT_TRUE(CreateDirectoryA(Path(relative).c_str(), nullptr)) << relative;
  }

  void File(const std::string& relative, std::size_t bytes = 10) const {
    std::ofstream file(Path(relative), std::ios::binary);
    ASSERT_TRUE(file) << relative;
    file << std::string(bytes, 'x');
  }

  std::string root_;
};

TEST_F(HistoryTreeTest, EachLevelListsOnlyItsOwnKindOfEntry) {
  Folder("alice");
  Folder("Bob Smith");
  File("notes.txt");
  File("2002-06-14 [Friday].html");
  Folder("alice\\carol");
  Folder("alice\\dave");
  File("alice\\2002-06-14 [Friday].html");
  File("alice\\carol\\2002-06-14 [Friday].html");
  File("alice\\carol\\2002-06-15 [Saturday].HTML");
  File("alice\\carol\\.html");
  File("alice\\carol\\readme.txt");
  File("alice\\carol\\2002-06-13 [Thursday].htm");
  Folder("alice\\carol\\2002-06-16 [Sunday].html");

  EXPECT_EQ(Sorted(ListHistoryLevel(root_.c_str(), HistoryLevel::kUsers)),
            (std::vector<std::string>{"Bob Smith", "alice"}));
  EXPECT_EQ(Sorted(ListHistoryLevel(Path("alice").c_str(), HistoryLevel::kBuddies)),
            (std::vector<std::string>{"carol", "dave"}));
  EXPECT_EQ(Sorted(ListHistoryLevel(Path("alice\\carol").c_str(), HistoryLevel::kDates)),
            (std::vector<std::string>{"", "2002-06-14 [Friday]", "2002-06-15 [Saturday]"}));

  // One entry asked by name is what the listing gives for it, in the
  // spelling on disk; a wildcard names no entry, though it matches some.
  const std::string carol = Path("alice\\carol");
  EXPECT_EQ(HistoryLevelEntry(root_.c_str(), "alice", HistoryLevel::kUsers), "alice");
  EXPECT_EQ(HistoryLevelEntry(root_.c_str(), "notes.txt", HistoryLevel::kUsers), std::nullopt);
  EXPECT_EQ(HistoryLevelEntry(Path("alice").c_str(), "CAROL", HistoryLevel::kBuddies), "carol");
  EXPECT_EQ(
      HistoryLevelEntry(Path("alice").c_str(), "2002-06-14 [Friday].html", HistoryLevel::kBuddies),
      std::nullopt);
  EXPECT_EQ(HistoryLevelEntry(Path("alice").c_str(), "erin", HistoryLevel::kBuddies), std::nullopt);
  EXPECT_EQ(HistoryLevelEntry(Path("alice").c_str(), "*", HistoryLevel::kBuddies), std::nullopt);
  EXPECT_EQ(HistoryLevelEntry(carol.c_str(), "2002-06-15 [Saturday].HTML", HistoryLevel::kDates),
            "2002-06-15 [Saturday]");
  EXPECT_EQ(HistoryLevelEntry(carol.c_str(), "readme.txt", HistoryLevel::kDates), std::nullopt);
  EXPECT_EQ(HistoryLevelEntry(carol.c_str(), "2002-06-16 [Sunday].html", HistoryLevel::kDates),
            std::nullopt);
}

TEST_F(HistoryTreeTest, MissingFolderListsNothing) {
  EXPECT_TRUE(ListHistoryLevel(Path("nobody").c_str(), HistoryLevel::kUsers).empty());
  EXPECT_TRUE(ListHistoryLevel(Path("nobody").c_str(), HistoryLevel::kDates).empty());
}

TEST_F(HistoryTreeTest, EntryWhosePathWouldNotFitIsSkippedNotCut) {
  const std::string user = std::string(150, 'u');
  Folder(user);
  const std::string userPath = Path(user);
  // Folder, separator and name: exactly 259 characters fit, 260 do not.
  const std::size_t fitting = 259 - userPath.size() - 1;
  const std::string fits(fitting, 'f');
  const std::string tooLong(fitting + 1, 'g');
  ASSERT_TRUE(MakeLongFolder(userPath + "\\" + fits));
  ASSERT_TRUE(MakeLongFolder(userPath + "\\" + tooLong));
  Folder(user + "\\short");

  EXPECT_EQ(Sorted(ListHistoryLevel(userPath.c_str(), HistoryLevel::kBuddies)),
            (std::vector<std::string>{fits, "short"}));
}

TEST(CombineHistoryPath, JoinsOrRefusesWithoutCutting) {
  char out[kPathCapacity];
  ASSERT_TRUE(CombineHistoryPath(out, "C:\\History", "alice"));
  EXPECT_STREQ(out, "C:\\History\\alice");
  ASSERT_TRUE(CombineHistoryPath(out, "C:\\History\\", "*.*"));
  EXPECT_STREQ(out, "C:\\History\\*.*");

  const std::string folder = "C:\\" + std::string(200, 'h');
  const std::string fits(259 - folder.size() - 1, 'n');
  ASSERT_TRUE(CombineHistoryPath(out, folder.c_str(), fits.c_str()));
  EXPECT_EQ(std::string(out), folder + "\\" + fits);
  EXPECT_FALSE(CombineHistoryPath(out, folder.c_str(), (fits + "n").c_str()));
  EXPECT_STREQ(out, "");
}

TEST(JoinHistoryPath, JoinsEachPartOrNothing) {
  EXPECT_EQ(JoinHistoryPath("C:\\History", {"alice", "bob", "2002-06-14 [Friday].html"}),
            std::optional<std::string>("C:\\History\\alice\\bob\\2002-06-14 [Friday].html"));
  EXPECT_EQ(JoinHistoryPath("C:\\History", {"*.*"}),
            std::optional<std::string>("C:\\History\\*.*"));
  const std::string buddy(100, 'b');
  EXPECT_EQ(JoinHistoryPath("C:\\History", {std::string(150, 'u'), buddy}), std::nullopt);
}

class SizeTotalTest : public HistoryTreeTest {
 protected:
  // Spreads `total` bytes over a history file, other files and deep folders.
  void Spread(std::size_t total) {
    Folder("alice");
    Folder("alice\\bob");
    Folder("alice\\bob\\deep");
    Folder("alice\\bob\\deep\\deeper");
    const std::size_t part = total / 4;
    File("alice\\bob\\2002-06-14 [Friday].html", part);
    File("alice\\bob\\notes.txt", part);
    File("alice\\bob\\deep\\deeper\\anything", part);
    File("top-level.dat", total - 3 * part);
  }
};

TEST_F(SizeTotalTest, JustBelowOneMebibyte) {
  Spread(1048575);
  EXPECT_EQ(SizeOf(root_), 1048575u);
  EXPECT_EQ(HistorySizeText(SizeOf(root_)), "<1");
}

TEST_F(SizeTotalTest, ExactlyOneMebibyte) {
  Spread(1048576);
  EXPECT_EQ(SizeOf(root_), 1048576u);
  EXPECT_EQ(HistorySizeText(SizeOf(root_)), "1");
}

TEST_F(SizeTotalTest, WholeMebibytesAreTruncated) {
  Spread(3500000);
  EXPECT_EQ(SizeOf(root_), 3500000u);
  EXPECT_EQ(HistorySizeText(SizeOf(root_)), "3");
}

TEST_F(SizeTotalTest, AFileOverFourGibibytesCountsWhole) {
  Folder("alice");
  HANDLE file = CreateFileA(Path("alice\\big.dat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD returned;
  // Sparse where the file system allows it: nothing of it is written.
  DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
  LARGE_INTEGER size;
  size.QuadPart = 5LL << 30;
  const bool sized = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  CloseHandle(file);
  ASSERT_TRUE(sized);
  File("alice\\2002-06-14 [Friday].html", 10);
  EXPECT_EQ(SizeOf(root_), (5ULL << 30) + 10);
}

TEST_F(SizeTotalTest, MissingFolderCountsNothing) { EXPECT_EQ(SizeOf(Path("nowhere")), 0u); }

// A window of the test's thread that receives what the workers post.
class PostTarget {
 public:
  PostTarget() {
    window_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  }
  ~PostTarget() { DestroyWindow(window_); }
  HWND Window() const { return window_; }

  // The first `message` posted within `milliseconds`.
  bool Receive(UINT message, DWORD milliseconds, MSG* received) {
    const DWORD start = GetTickCount();
    do {
      if (PeekMessageA(received, window_, message, message, PM_REMOVE)) return true;
      Sleep(10);
    } while (GetTickCount() - start < milliseconds);
    return false;
  }

 private:
  HWND window_;
};

// The size total posts whatever message the dialog gives it; the watch's
// listener here posts the test's own.
constexpr UINT kSizeTotalMessage = WM_APP + 2;
constexpr UINT kFolderChangedMessage = WM_APP + 3;

TEST_F(SizeTotalTest, ThreadPostsTheTotalOnce) {
  Spread(3500000);
  PostTarget target;
  const JoinedThread thread = StartSizeTotal(target.Window(), kSizeTotalMessage, root_);
  MSG message;
  ASSERT_TRUE(target.Receive(kSizeTotalMessage, 5000, &message));
  EXPECT_EQ(message.wParam, 3500000u);
  EXPECT_EQ(message.lParam, 0);
  EXPECT_FALSE(target.Receive(kSizeTotalMessage, 100, &message));
}

// Each report posts once; a change to `relative` posts wParam 1.
FolderWatch::Subscription PostReports(FolderWatch& watch, HWND window,
                                      const std::string& relative) {
  return watch.Listen([window, relative](const FolderChanges& changes) {
    bool named = false;
    for (const FolderChange& change : changes.changes) named = named || change.relative == relative;
    PostMessageA(window, kFolderChangedMessage, named, 0);
  });
}

TEST_F(HistoryTreeTest, WatchReportsAWriteToAnExistingDayAndANewFolder) {
  Folder("alice");
  Folder("alice\\bob");
  const std::string dayFile = "alice\\bob\\2002-06-14 [Friday].html";
  File(dayFile);
  PostTarget target;
  FolderWatch watch(root_);
  const FolderWatch::Subscription subscription = PostReports(watch, target.Window(), dayFile);
  watch.Start();
  ASSERT_TRUE(watch.WaitActive(kNeverCancelled));
  MSG message;
  while (target.Receive(kFolderChangedMessage, 300, &message)) {
  }
  std::ofstream(Path(dayFile), std::ios::binary | std::ios::app) << "<BR>more\n";
  ASSERT_TRUE(target.Receive(kFolderChangedMessage, 5000, &message));
  EXPECT_EQ(message.wParam, 1u);
  while (target.Receive(kFolderChangedMessage, 300, &message)) {
  }
  Folder("alice\\carol");
  EXPECT_TRUE(target.Receive(kFolderChangedMessage, 5000, &message));
}

TEST_F(HistoryTreeTest, WatchOfAMissingFolderNeverRuns) {
  PostTarget target;
  FolderWatch watch(Path("nowhere"));
  const FolderWatch::Subscription subscription = PostReports(watch, target.Window(), "");
  watch.Start();
  EXPECT_FALSE(watch.WaitActive(kNeverCancelled));
  MSG message;
  EXPECT_FALSE(target.Receive(kFolderChangedMessage, 100, &message));
}

TEST(DeletionQuestions, AreWordedExactly) {
  EXPECT_EQ(ClearAllQuestion("C:\\History\\*.*"),
            "Are you sure you want to delete all your histories?\n"
            "(Deleting this folder: C:\\History\\*.*)");
  EXPECT_EQ(DeleteUserQuestion("alice", "C:\\History\\alice"),
            "Are you sure you want to delete all histories for alice?\n"
            "(Deleting this folder: C:\\History\\alice)");
  EXPECT_EQ(DeleteBuddyQuestion("alice", "bob", "C:\\History\\alice\\bob"),
            "Are you sure you want to delete all these histories between alice and bob?\n"
            "(Deleting this folder: C:\\History\\alice\\bob)");
  EXPECT_EQ(
      DeleteDateQuestion("alice", "bob", "2002-06-14 [Friday]",
                         "C:\\History\\alice\\bob\\2002-06-14 [Friday].html"),
      "Are you sure you want to delete the history for alice and bob on 2002-06-14 [Friday]?\n"
      "(Deleting this file: C:\\History\\alice\\bob\\2002-06-14 [Friday].html)");
}

TEST(DeletionQuestions, FitTheirBuffer) {
  const std::string path(2000, 'p');
  const std::string question = ClearAllQuestion(path.c_str());
  EXPECT_EQ(question,
            "Are you sure you want to delete all your histories?\n(Deleting this folder: " +
                path.substr(0, 1023 - 75));
}

TEST_F(HistoryTreeTest, DeleteToRecycleBinWithWildcardEmptiesTheFolderButKeepsIt) {
  Folder("alice");
  Folder("alice\\bob");
  File("alice\\bob\\2002-06-14 [Friday].html");
  Folder("carol");
  DeleteToRecycleBin({Path("*.*")});
  EXPECT_TRUE(Exists(root_));
  EXPECT_TRUE(ListHistoryLevel(root_.c_str(), HistoryLevel::kUsers).empty());
  EXPECT_FALSE(Exists(Path("alice")));
  EXPECT_FALSE(Exists(Path("carol")));
}

TEST_F(HistoryTreeTest, DeleteToRecycleBinTakesEveryItemOfAList) {
  Folder("alice");
  File("alice\\a.html");
  File("alice\\b.html");
  File("alice\\c.html");
  DeleteToRecycleBin(std::vector<std::string>{Path("alice\\a.html"), Path("alice\\c.html")});
  EXPECT_FALSE(Exists(Path("alice\\a.html")));
  EXPECT_TRUE(Exists(Path("alice\\b.html")));
  EXPECT_FALSE(Exists(Path("alice\\c.html")));
  DeleteToRecycleBin(std::vector<std::string>{});
  EXPECT_TRUE(Exists(Path("alice\\b.html")));
}

}  // namespace
}  // namespace corvane
