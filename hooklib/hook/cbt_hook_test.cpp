// Drives the hook procedure in-process: a thread hook routes this thread's
// window creations through it, with windows of the host's classes.
#include "host_class_for_tests.h"
#include "cbt_hook.h"

#include <gtest/gtest.h>

#include <cstring>

#include "buddy_list_proc.h"
#include "child_procs.h"
#include "conversation_procs.h"
#include "exports.h"
#include "popup_rules.h"
#include "process_state.h"
#include "shared_settings.h"
#include "system_clock.h"

namespace corvane {
namespace {

constexpr const char* kHostClasses[] = {
    "_Oscar_BuddyListWin", "AIM_IMessage", "AIM_ChatWnd",   "WndAte32Class",
    "Ate32Class",          "_Oscar_TabGroup", "_Oscar_Tree", "_Oscar_IconBtn",
    "_Oscar_Static",       "_Oscar_Separator", "AIM_AimTodayWnd", "_aim_MiniBrowserClass",
    "_Oscar_PersistantCombo"};

LRESULT CALLBACK HostProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  return DefWindowProcA(w, m, wp, lp);
}

uint64_t g_fakeNow = 0;
uint64_t FakeNow() { return g_fakeNow; }

class CbtHookTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const char* name : kHostClasses) RegisterHostClass(name, HostProc);
  }

  void SetUp() override {
    hook_ = SetWindowsHookExA(WH_CBT, CBTProc, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook_, nullptr);
    Init(hook_);
    Shared.AllowAIMTodayPopup = 0;
    Process().aimTodayAsked = false;
    Process().buddyListCreated = false;
    g_fakeNow = 130'000'000'000'000'000ull;
    SetSystemTimeSource(FakeNow);
  }

  void TearDown() override {
    for (HWND w : windows_) DestroyWindow(w);
    SetSystemTimeSource(nullptr);
    Shutdown();
    UnhookWindowsHookEx(hook_);
  }

  HWND Create(const char* cls, HWND parent = nullptr) {
    const DWORD style = parent != nullptr ? WS_CHILD : WS_OVERLAPPEDWINDOW;
    HWND w = CreateWindowExA(0, cls, "", style, 0, 0, 100, 100, parent, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    if (w != nullptr && parent == nullptr) windows_.push_back(w);
    return w;
  }

  static WNDPROC ProcOf(HWND w) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w, GWLP_WNDPROC)); }

  HHOOK hook_ = nullptr;
  std::vector<HWND> windows_;
};

TEST_F(CbtHookTest, EachHostWindowGetsItsRowsProcedure) {
  HWND bl = Create("_Oscar_BuddyListWin");
  HWND tabs = Create("_Oscar_TabGroup", bl);
  HWND im = Create("AIM_IMessage");
  HWND frame = Create("WndAte32Class", im);
  HWND chat = Create("AIM_ChatWnd");
  HWND chatFrame = Create("WndAte32Class", chat);

  EXPECT_EQ(ProcOf(bl), BuddyListWndProc);
  EXPECT_EQ(ProcOf(Create("Edit", bl)), ButtonRowEditProc);
  EXPECT_EQ(ProcOf(Create("Ate32Class", bl)), BuddyListAteProc);
  EXPECT_EQ(ProcOf(Create("WndAte32Class", bl)), AdPaneProc);
  EXPECT_EQ(ProcOf(tabs), TabGroupProc);
  EXPECT_EQ(ProcOf(Create("_Oscar_IconBtn", bl)), GeneralButtonProc);
  EXPECT_EQ(ProcOf(Create("_Oscar_Static", bl)), StaticProc);
  EXPECT_EQ(ProcOf(Create("_Oscar_Separator", bl)), SeparatorProc);
  EXPECT_EQ(ProcOf(Create("_Oscar_Tree", tabs)), BuddyTreeProc);
  EXPECT_EQ(ProcOf(Create("_Oscar_IconBtn", tabs)), ListButtonProc);
  EXPECT_EQ(ProcOf(im), IMWindowProc);
  EXPECT_EQ(ProcOf(frame), IMTextFrameProc);
  EXPECT_EQ(ProcOf(Create("Ate32Class", frame)), IMTextControlProc);
  EXPECT_EQ(ProcOf(chat), ChatWindowProc);

  // Class alone is not enough: wrong parent or grandparent keeps the host's.
  EXPECT_EQ(ProcOf(chatFrame), HostProc);
  EXPECT_EQ(ProcOf(Create("Ate32Class", chatFrame)), HostProc);
  EXPECT_EQ(ProcOf(Create("Ate32Class", im)), HostProc);
  EXPECT_EQ(ProcOf(Create("_Oscar_Tree", bl)), HostProc);
  EXPECT_EQ(ProcOf(Create("_Oscar_PersistantCombo", im)), HostProc);
  EXPECT_EQ(ProcOf(Create("WndAte32Class")), HostProc);
}

TEST_F(CbtHookTest, SecondWindowOfARowSharesTheSavedClassProcedure) {
  HWND first = Create("AIM_IMessage");
  HWND second = Create("AIM_IMessage");
  EXPECT_EQ(ProcOf(first), IMWindowProc);
  EXPECT_EQ(ProcOf(second), IMWindowProc);
  EXPECT_EQ(Process().savedProc[kRowIMWindow], HostProc);
  // Messages still reach the host's procedure through the subclass.
  SetWindowTextA(second, "bob - Instant Message");
  char title[64] = "";
  GetWindowTextA(second, title, sizeof title);
  EXPECT_STREQ(title, "bob - Instant Message");
}

TEST_F(CbtHookTest, TodayOnlyAfterTheUsersRequestAndOncePerRequest) {
  EXPECT_EQ(Create("AIM_AimTodayWnd"), nullptr);
  HWND bl = Create("_Oscar_BuddyListWin");
  SendMessageA(bl, WM_COMMAND, 1140, 0);
  EXPECT_TRUE(Process().aimTodayAsked);
  EXPECT_NE(Create("AIM_AimTodayWnd"), nullptr);
  EXPECT_FALSE(Process().aimTodayAsked);
  EXPECT_EQ(Create("AIM_AimTodayWnd"), nullptr);
  // The request lets one mini-browser through as well, even in the quiet time.
  SendMessageA(bl, WM_COMMAND, 1140, 0);
  EXPECT_NE(Create("_aim_MiniBrowserClass"), nullptr);
  EXPECT_EQ(Create("_aim_MiniBrowserClass"), nullptr);
  // Only the exact command counts, not a notification carrying its id.
  SendMessageA(bl, WM_COMMAND, MAKEWPARAM(1140, 1), 0);
  EXPECT_EQ(Create("AIM_AimTodayWnd"), nullptr);
}

TEST_F(CbtHookTest, MiniBrowserQuietForFiveSecondsAfterTheBuddyList) {
  EXPECT_NE(Create("_aim_MiniBrowserClass"), nullptr);  // no Buddy List yet
  const uint64_t created = g_fakeNow;
  HWND bl = Create("_Oscar_BuddyListWin");
  g_fakeNow = created + kMiniBrowserQuietPeriod;
  EXPECT_EQ(Create("_aim_MiniBrowserClass"), nullptr);
  g_fakeNow = created + kMiniBrowserQuietPeriod + 1;
  EXPECT_NE(Create("_aim_MiniBrowserClass"), nullptr);
  // Once the Buddy List is gone nothing is suppressed.
  g_fakeNow = created;
  DestroyWindow(bl);
  EXPECT_NE(Create("_aim_MiniBrowserClass"), nullptr);
  // A new Buddy List takes a new creation time.
  g_fakeNow = created + 100 * kMiniBrowserQuietPeriod;
  Create("_Oscar_BuddyListWin");
  EXPECT_EQ(Create("_aim_MiniBrowserClass"), nullptr);
}

TEST_F(CbtHookTest, SettingAllowsBothPopupsAndClearsTheRequest) {
  Create("_Oscar_BuddyListWin");
  Shared.AllowAIMTodayPopup = 1;
  Process().aimTodayAsked = true;
  EXPECT_NE(Create("AIM_AimTodayWnd"), nullptr);
  EXPECT_FALSE(Process().aimTodayAsked);
  EXPECT_NE(Create("AIM_AimTodayWnd"), nullptr);
  Process().aimTodayAsked = true;
  EXPECT_NE(Create("_aim_MiniBrowserClass"), nullptr);
  EXPECT_FALSE(Process().aimTodayAsked);
  EXPECT_NE(Create("_aim_MiniBrowserClass"), nullptr);
}

TEST_F(CbtHookTest, ChainsOnlyBetweenInitAndShutdown) {
  EXPECT_EQ(Shared.HookHandle, hook_);
  EXPECT_NE(Process().historyMutex, nullptr);
  Shutdown();
  EXPECT_EQ(Shared.HookHandle, nullptr);
  EXPECT_EQ(Process().historyMutex, nullptr);
  EXPECT_EQ(CBTProc(HCBT_ACTIVATE, 0, 0), 0);
  // Windows are still subclassed after shutdown.
  EXPECT_EQ(ProcOf(Create("AIM_IMessage")), IMWindowProc);
  Init(hook_);
}

TEST_F(CbtHookTest, AppPathAndCurDirCopies) {
  std::strcpy(Shared.AppPath, "C:\\abcdefghijklmnopqrstuvwxyz1");  // 30 characters
  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  GetAppPath(buffer, 10);
  EXPECT_EQ(std::string(buffer, 10), "C:\\abcdefg");
  EXPECT_EQ(buffer[10], '#');  // unterminated, nothing beyond the size
  char padded[40];
  std::memset(padded, '#', sizeof padded);
  GetAppPath(padded, 40);
  EXPECT_STREQ(padded, Shared.AppPath);
  for (int i = 30; i < 40; ++i) EXPECT_EQ(padded[i], '\0');

  Shared.AllowCloning = 0;
  EXPECT_EQ(GetAllowCloning(), 0);
  Shared.AllowCloning = 1;
  EXPECT_EQ(GetAllowCloning(), 1);

  EXPECT_STREQ(SetCurDir("C:\\Corvane"), "C:\\Corvane");
  EXPECT_STREQ(Shared.CurDir, "C:\\Corvane");
  const std::string longPath(300, 'p');
  SetCurDir(longPath.c_str());
  EXPECT_EQ(std::strlen(Shared.CurDir), 259u);
}

}  // namespace
}  // namespace corvane
