// Conversation windows of the host, subclassed through the hook procedure,
// writing their history into a temporary folder.
#include <cstring>
#include <string>

#include "hooklib/core/private_codes.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/core/process_state.h"
#include "tests/support/box_answerer.h"
#include "tests/support/host_window_fixture.h"

namespace corvane {
namespace {

constexpr char kOpen[] = "<HTML><BODY BGCOLOR=\"#ffffff\">";
constexpr char kClose[] = "</BODY></HTML>";

std::string Html(const std::string& body) { return kOpen + body + kClose; }

std::string RewriteBlock(const std::string& key, const std::string& text) {
  return "<!-- " + key + " -->\r\n<BASE TARGET=\"_new\">\r\n" + text + "<BR>\r\n";
}

using ConversationTest = HostWindowTest;

TEST_F(ConversationTest, FirstCaptureCreatesTheTreeThenRewritesItsBlock) {
  HWND im = OpenIM("bob");
  const std::string key = KeyOf(im);
  const std::string first = Html("<B>bob</B>: hi <IMG SRC=\"a.gif\"><!-- x -->");
  SetConversation(im, first);
  Poll(im);
  const std::string path = DayFilePath("alice", "bob");
  EXPECT_EQ(ReadFile(path),
            CreationBlock(key, Html("<B>bob</B>: hi <FONT SIZE=1><B>[IMG SRC=\"a.gif\"]</B></FONT>"
                                    "<FONT SIZE=1> x </FONT>")));

  const std::string second = Html("<B>bob</B>: hi<BR><B>alice</B>: hello");
  SetConversation(im, second);
  Poll(im);
  EXPECT_EQ(ReadFile(path), RewriteBlock(key, second));
  // Nothing is left beside the day file.
  EXPECT_FALSE(Exists(path + ".new"));
  DestroyWindow(im);
}

TEST_F(ConversationTest, UnchangedLengthWritesNothingAndDestroyPollsOnceMore) {
  HWND im = OpenIM("bob");
  SetConversation(im, Html("one"));
  Poll(im);
  const std::string path = DayFilePath("alice", "bob");
  DeleteFileA(path.c_str());
  Poll(im);
  EXPECT_FALSE(Exists(path));
  SetConversation(im, Html("two!"));
  DestroyWindow(im);  // the final poll logs the new text
  EXPECT_EQ(ReadFile(path), CreationBlock(KeyOf(im), Html("two!")));
}

TEST_F(ConversationTest, LoggingOffWritesNothing) {
  Shared().Logging = 0;
  HWND im = OpenIM("bob");
  SetConversation(im, Html("quiet"));
  Poll(im);
  DestroyWindow(im);
  EXPECT_FALSE(Exists(DayFilePath("alice", "bob")));
}

TEST_F(ConversationTest, SecondWindowAndNewDayGetTheirOwnBlocks) {
  HWND first = OpenIM("bob");
  SetConversation(first, Html("first window"));
  Poll(first);
  TestClock().second = 9;
  HWND second = OpenIM("bob");
  SetConversation(second, Html("second window"));
  Poll(second);
  // The first window writes again: the second window's block stays.
  SetConversation(first, Html("first window, more"));
  Poll(first);
  const std::string path = DayFilePath("alice", "bob");
  EXPECT_EQ(ReadFile(path), RewriteBlock(KeyOf(first), Html("first window, more")) +
                                RewriteBlock(KeyOf(second, "09:05:09"), Html("second window")));

  // After midnight the conversation goes on in the new day's file, whole.
  TestClock() = {2002, 6, 15, 6, 0, 0, 3};
  SetConversation(first, Html("first window, more, after midnight"));
  Poll(first);
  EXPECT_EQ(ReadFile(DayFilePath("alice", "bob", "2002-06-15 [Saturday].html")),
            CreationBlock(KeyOf(first), Html("first window, more, after midnight")));
  EXPECT_NE(ReadFile(path).find("first window, more</BODY></HTML><BR>"), std::string::npos);
  DestroyWindow(first);
  DestroyWindow(second);
}

TEST_F(ConversationTest, ExistingFoldersAreReusedDespiteCaseAndSpaces) {
  CreateDirectoryA(logDir_.c_str(), nullptr);
  CreateDirectoryA((logDir_ + "\\Al Ice").c_str(), nullptr);
  CreateDirectoryA((logDir_ + "\\Al Ice\\Big Bob").c_str(), nullptr);
  std::strcpy(ScreenName(), "ALICE");
  HWND im = OpenIM("bigbob");
  SetConversation(im, Html("reused"));
  Poll(im);
  EXPECT_TRUE(Exists(DayFilePath("Al Ice", "Big Bob")));
  DestroyWindow(im);
}

TEST_F(ConversationTest, NamesThatWouldLeaveTheirFolderAreRefused) {
  for (const char* buddy : {"..", "a\\b", "x/y"}) {
    HWND im = OpenIM(buddy);
    SetConversation(im, Html("escape"));
    BoxAnswerer box("Corvane Error", IDOK);
    Poll(im);
    EXPECT_EQ(box.Text(),
              "Failed to write log file!\n\nThis usually means that your disk is full.\n\n"
              "Or,  the log directory is invalid (does not exist, or you don't have write-access "
              "to this directory).")
        << buddy;
    DestroyWindow(im);
  }
  EXPECT_FALSE(Exists(logDir_ + "\\bob"));
  EXPECT_FALSE(Exists(logDir_ + "\\alice\\a"));
}

TEST_F(ConversationTest, LengthLimitNoticeClearsAndStartsANewBlock) {
  HWND im = OpenIM("bob");
  const std::string atLimit = kOpen + std::string(57000 - std::strlen(kOpen), 'x') + "</HTML>";
  SetConversation(im, atLimit);
  {
    BoxAnswerer none("Corvane Notification", IDOK);
    Poll(im);
    Sleep(300);
    EXPECT_FALSE(none.Answered());
  }
  const std::string overLimit = kOpen + std::string(57001 - std::strlen(kOpen), 'y') + "</HTML>";
  SetConversation(im, overLimit);
  TestClock().second = 30;
  {
    BoxAnswerer notice("Corvane Notification", IDOK);
    Poll(im);
    EXPECT_EQ(notice.Text(),
              "         Your IM session with 'bob' will be cleared in order to keep an accurate "
              "history. \n\nOld messages will be removed from the top of the IM window, but "
              "everything is saved in your Corvane history!");
  }
  char text[16] = "unchanged";
  GetWindowTextA(Conversation(im), text, sizeof text);
  EXPECT_STREQ(text, "");
  SetConversation(im, Html("fresh"));
  Poll(im);
  const std::string file = ReadFile(DayFilePath("alice", "bob"));
  EXPECT_EQ(file.substr(file.size() - RewriteBlock(KeyOf(im, "09:05:30"), Html("fresh")).size()),
            RewriteBlock(KeyOf(im, "09:05:30"), Html("fresh")));
  EXPECT_NE(file.find(std::string(57001 - std::strlen(kOpen), 'y')), std::string::npos);
  DestroyWindow(im);
}

TEST_F(ConversationTest, ClearCommandAsksLogsClearsAndRekeys) {
  HWND im = OpenIM("bob");
  const HWND control = TextControl(im);
  SetConversation(im, Html("keep me"));
  g_hostClearCommands = 0;
  {
    BoxAnswerer cancel("Clear Window?", IDCANCEL);
    SendMessageA(control, WM_COMMAND, 20731, 0);
    EXPECT_EQ(cancel.Text(), "Are you sure you want to clear all the content from this window?");
  }
  char text[64] = "";
  GetWindowTextA(Conversation(im), text, sizeof text);
  EXPECT_EQ(std::string(text), Html("keep me"));
  EXPECT_FALSE(Exists(DayFilePath("alice", "bob")));
  // From a control (nonzero lParam) the id is the host's business.
  SendMessageA(control, WM_COMMAND, 20731, reinterpret_cast<LPARAM>(im));
  EXPECT_EQ(g_hostClearCommands, 1);

  TestClock().second = 40;
  {
    BoxAnswerer ok("Clear Window?", IDOK);
    SendMessageA(control, WM_COMMAND, 20731, 0);
    EXPECT_TRUE(!ok.Text().empty());
  }
  GetWindowTextA(Conversation(im), text, sizeof text);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(g_hostClearCommands, 1);  // neither confirmed nor cancelled clears reached it
  // Logged under the old key before the clear; new text goes to a new block.
  EXPECT_EQ(ReadFile(DayFilePath("alice", "bob")), CreationBlock(KeyOf(im), Html("keep me")));
  SetConversation(im, Html("<BR>after"));
  Poll(im);
  EXPECT_EQ(ReadFile(DayFilePath("alice", "bob")),
            CreationBlock(KeyOf(im), Html("keep me")) +
                RewriteBlock(KeyOf(im, "09:05:40"),
                             Html("<FONT SIZE=2><B>(IM Window Cleared)</B></FONT><BR>after")));
  DestroyWindow(im);
}

TEST_F(ConversationTest, CorvaneMenuAddedOnceOnFullHostBars) {
  HWND im = OpenIM("bob");
  HWND chat = OpenChat("Lounge");
  for (HWND w : {im, chat}) {
    SetWindowPos(w, nullptr, 10, 10, 320, 220, SWP_NOZORDER);
    SetWindowPos(w, nullptr, 12, 12, 330, 230, SWP_NOZORDER);
  }
  HMENU imBar = GetMenu(im);
  ASSERT_EQ(GetMenuItemCount(imBar), 5);
  char label[32] = "";
  GetMenuStringA(imBar, 4, label, sizeof label, MF_BYPOSITION);
  EXPECT_STREQ(label, "&Corvane");
  HMENU chatBar = GetMenu(chat);
  ASSERT_EQ(GetMenuItemCount(chatBar), 6);
  GetMenuStringA(chatBar, 4, label, sizeof label, MF_BYPOSITION);
  EXPECT_STREQ(label, "&Corvane");
  HMENU menu = GetSubMenu(imBar, 4);
  ASSERT_EQ(GetMenuItemCount(menu), 4);
  EXPECT_EQ(GetMenuItemID(menu, 0), 57005u);
  EXPECT_EQ(GetMenuItemID(menu, 1), 40u);
  EXPECT_EQ(GetMenuItemID(menu, 3), 10u);
  GetMenuStringA(menu, 1, label, sizeof label, MF_BYPOSITION);
  EXPECT_STREQ(label, "Launch &Clone");
  DestroyWindow(im);
  DestroyWindow(chat);
}

TEST_F(ConversationTest, MessagesDuringTheNoticeGoToTheOldBlock) {
  HWND im = OpenIM("bob");
  const std::string oldKey = KeyOf(im);
  const std::string big = std::string(57001, 'z');
  SetConversation(im, Html(big));
  TestClock().second = 50;
  // While the notice is up, a message arrives and the poll timer ticks:
  // the box's own message loop runs the tick.
  BoxAnswerer notice("Corvane Notification", IDOK, [im] {
    SendMessageA(GetWindow(FindWindowExA(im, nullptr, "WndAte32Class", nullptr), GW_CHILD),
                 WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(Html(std::string(57001, 'z') + "late").c_str()));
    SendMessageA(im, WM_TIMER, TIMER_LOG_POLL, 0);
  });
  Poll(im);
  EXPECT_FALSE(notice.Text().empty());
  const std::string file = ReadFile(DayFilePath("alice", "bob"));
  EXPECT_EQ(file, RewriteBlock(oldKey, Html(big + "late")));
  DestroyWindow(im);
}

// The menu goes in once per window: a bar that later has the host's count
// again (the host took an item away) gets no second one.
TEST_F(ConversationTest, CorvaneMenuIsPutInOncePerWindow) {
  HWND im = OpenIM("bob");
  SetWindowPos(im, nullptr, 10, 10, 320, 220, SWP_NOZORDER);
  HMENU bar = GetMenu(im);
  ASSERT_EQ(GetMenuItemCount(bar), 5);
  DeleteMenu(bar, 0, MF_BYPOSITION);
  ASSERT_EQ(GetMenuItemCount(bar), 4);
  SetWindowPos(im, nullptr, 12, 12, 330, 230, SWP_NOZORDER);
  SetWindowPos(im, nullptr, 14, 14, 340, 240, SWP_NOZORDER);
  EXPECT_EQ(GetMenuItemCount(bar), 4);
  int corvaneMenus = 0;
  for (int i = 0; i < GetMenuItemCount(bar); ++i) {
    char label[32] = "";
    GetMenuStringA(bar, i, label, sizeof label, MF_BYPOSITION);
    if (std::strcmp(label, "&Corvane") == 0) ++corvaneMenus;
  }
  EXPECT_EQ(corvaneMenus, 1);
  DestroyWindow(im);
}

TEST_F(ConversationTest, MenuBarsOfOtherCountsGetNothing) {
  HWND w = CreateWindowExA(0, "AIM_IMessage", "x - Instant Message", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                           100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  HMENU bar = CreateMenu();
  for (int i = 0; i < 3; ++i) AppendMenuA(bar, MF_STRING, 100 + i, "Item");
  SetMenu(w, bar);
  SetWindowPos(w, nullptr, 5, 5, 200, 200, SWP_NOZORDER);
  EXPECT_EQ(GetMenuItemCount(bar), 3);
  DestroyWindow(w);
}

TEST_F(ConversationTest, ConversationWindowsFollowTheTransparencySettings) {
  Shared().AlphaOn = 1;
  Shared().AlphaIM = 200;
  Shared().OpaqueOnTop = 1;
  Shared().AlphaFadeDown = 1;
  HWND im = OpenIM("bob");
  BYTE alpha = 0;
  DWORD flags = 0;
  EXPECT_TRUE(GetWindowLongA(im, GWL_EXSTYLE) & WS_EX_LAYERED);
  ASSERT_TRUE(GetLayeredWindowAttributes(im, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 200);
  SendMessageA(im, WM_ACTIVATE, WA_ACTIVE, 0);
  GetLayeredWindowAttributes(im, nullptr, &alpha, &flags);
  EXPECT_EQ(alpha, 255);
  SendMessageA(im, WM_ACTIVATE, WA_INACTIVE, 0);
  for (BYTE want : {244, 234, 224, 214, 204, 194}) {
    SendMessageA(im, WM_TIMER, 77, 0);
    GetLayeredWindowAttributes(im, nullptr, &alpha, &flags);
    EXPECT_EQ(alpha, want);
  }
  SendMessageA(im, WM_TIMER, 77, 0);
  GetLayeredWindowAttributes(im, nullptr, &alpha, &flags);
  EXPECT_EQ(alpha, 194);
  Shared().AlphaOn = 0;
  SendMessageA(im, WM_SYSCOMMAND, 20, 0);
  EXPECT_FALSE(GetWindowLongA(im, GWL_EXSTYLE) & WS_EX_LAYERED);
  DestroyWindow(im);
}

// A conversation logged, then its day file held open without any sharing,
// as a backup program or a virus scanner may: it can be neither written in
// place nor replaced until released.
class HeldDayFileTest : public ConversationTest {
 protected:
  void LogThenHold(HWND im, const std::string& text) {
    SetConversation(im, Html(text));
    Poll(im);
    path_ = DayFilePath("alice", "bob");
    held_ = CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held_, INVALID_HANDLE_VALUE);
  }
  void Release() {
    CloseHandle(held_);
    held_ = INVALID_HANDLE_VALUE;
  }
  void TearDown() override {
    if (held_ != INVALID_HANDLE_VALUE) Release();
    ConversationTest::TearDown();
  }
  std::string Written() const { return ReadFile(path_); }

 private:
  std::string path_;
  HANDLE held_ = INVALID_HANDLE_VALUE;
};

// Runs this thread's messages (its timers) until `done` or `ms` passed.
template <typename Done>
bool PumpUntil(Done done, int ms = 5000) {
  for (int waited = 0; waited < ms && !done(); waited += 50) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(50);
  }
  return done();
}

// The poll stored the new length before writing: a failed write was never
// tried again.
TEST_F(HeldDayFileTest, AFailedWriteIsTriedEveryTickWithOneBoxForTheFailure) {
  HWND im = OpenIM("bob");
  LogThenHold(im, "one");
  const std::string before = Written();
  SetConversation(im, Html("one, two"));
  {
    BoxAnswerer box("Corvane Error", IDOK);
    Poll(im);
    EXPECT_FALSE(box.Text().empty());
  }
  EXPECT_EQ(Written(), before);
  SetConversation(im, Html("one, two, three"));
  {
    BoxAnswerer none("Corvane Error", IDOK);
    Poll(im);
    Poll(im);
    Sleep(300);
    EXPECT_FALSE(none.Answered());
  }
  Release();
  Poll(im);  // unchanged since the failure, and written now
  EXPECT_EQ(Written(), RewriteBlock(KeyOf(im), Html("one, two, three")));
  DestroyWindow(im);
}

TEST_F(HeldDayFileTest, AWindowClosedWithTextOwedLeavesItToItsThread) {
  HWND im = OpenIM("bob");
  const std::string key = KeyOf(im);
  LogThenHold(im, "one");
  SetConversation(im, Html("one, and the last"));
  {
    BoxAnswerer box("Corvane Error", IDOK);
    DestroyWindow(im);
    EXPECT_FALSE(box.Text().empty());
  }
  BoxAnswerer none("Corvane Error", IDOK);
  PumpUntil([] { return false; }, 1500);  // ticks that fail, told nothing
  Release();
  EXPECT_TRUE(PumpUntil([&] { return Written().find("the last") != std::string::npos; }));
  EXPECT_EQ(Written(), RewriteBlock(key, Html("one, and the last")));
  EXPECT_FALSE(none.Answered());
}

TEST_F(HeldDayFileTest, TheUsersClearWhileTheFileIsHeldKeepsTheText) {
  HWND im = OpenIM("bob");
  LogThenHold(im, "keep me");
  SetConversation(im, Html("keep me, and me"));
  {
    BoxAnswerer ok("Clear Window?", IDOK);
    BoxAnswerer told("Corvane Error", IDOK);
    SendMessageA(TextControl(im), WM_COMMAND, 20731, 0);
    EXPECT_EQ(told.Text(),
              "Your history could not be written, so this window was not cleared.\n\n"
              "Nothing is lost: Corvane keeps trying to write it.");
  }
  char text[64] = "";
  GetWindowTextA(Conversation(im), text, sizeof text);
  EXPECT_EQ(std::string(text), Html("keep me, and me"));
  Release();
  Poll(im);
  EXPECT_EQ(Written(), RewriteBlock(KeyOf(im), Html("keep me, and me")));
  DestroyWindow(im);
}

}  // namespace
}  // namespace corvane
