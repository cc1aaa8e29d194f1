// Drives the hook procedure in-process: a thread hook routes this thread's
// window creations through it, with windows of the host's classes.
#include "hooklib/hook/exports.h"
#include "tests/support/host_class_for_tests.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "hooklib/buddylist/buddy_list_proc.h"
#include "hooklib/conversation/conversation_window.h"
#include "hooklib/core/process_state.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/core/subclass_rows.h"
#include "hooklib/core/system_clock.h"

namespace corvane {
namespace {

constexpr const char* kHostClasses[] = {
    "_Oscar_BuddyListWin",   "AIM_IMessage",    "AIM_ChatWnd",
    "WndAte32Class",         "Ate32Class",      "_Oscar_TabGroup",
    "_Oscar_Tree",           "_Oscar_IconBtn",  "_Oscar_Static",
    "_Oscar_Separator",      "AIM_AimTodayWnd", "_aim_MiniBrowserClass",
    "_Oscar_PersistantCombo"};

// Only the next hook in the chain refuses windows of this class.
constexpr char kRefusedByNextHook[] = "Corvane test refused by the next hook";
// The host's procedure answers this with kHostAnswer, DefWindowProc with 0.
constexpr UINT kAskTheHost = WM_APP + 7;
constexpr LRESULT kHostAnswer = 0x1234;

LRESULT CALLBACK HostProc(HWND w, UINT m, WPARAM wParam, LPARAM lParam) {
  if (m == kAskTheHost) return kHostAnswer;
  return DefWindowProcA(w, m, wParam, lParam);
}

uint64_t g_fakeNow = 0;
uint64_t FakeNow() { return g_fakeNow; }

// The hook installed before ours, which ours chains to: records the class
// of every window creation that reaches it.
std::vector<std::string> g_reachedNextHook;

LRESULT CALLBACK NextHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    char cls[256] = "";
    GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls);
    g_reachedNextHook.push_back(cls);
    if (std::strcmp(cls, kRefusedByNextHook) == 0) return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

int TimesReachedNextHook(const char* cls) {
  int count = 0;
  for (const std::string& reached : g_reachedNextHook) count += reached == cls ? 1 : 0;
  return count;
}

// Our hook in front of a recording one; the library is handed our hook's
// handle only by tests that call Init.
class HookedThreadTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const char* name : kHostClasses) RegisterHostClass(name, HostProc);
    RegisterHostClass(kRefusedByNextHook, HostProc);
  }

  void SetUp() override {
    next_ = SetWindowsHookExA(WH_CBT, NextHookProc, nullptr, GetCurrentThreadId());
    ASSERT_NE(next_, nullptr);
    hook_ = SetWindowsHookExA(WH_CBT, CBTProc, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook_, nullptr);
    g_reachedNextHook.clear();
  }

  void TearDown() override {
    for (HWND w : windows_) DestroyWindow(w);
    Shutdown();
    UnhookWindowsHookEx(hook_);
    UnhookWindowsHookEx(next_);
  }

  HWND Create(const char* cls, HWND parent = nullptr) {
    const DWORD style = parent != nullptr ? WS_CHILD : WS_OVERLAPPEDWINDOW;
    HWND w = CreateWindowExA(0, cls, "", style, 0, 0, 100, 100, parent, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    if (w != nullptr && parent == nullptr) windows_.push_back(w);
    return w;
  }

  static WNDPROC ProcOf(HWND w) {
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w, GWLP_WNDPROC));
  }

  // Without a hook handle the library neither chains nor passes on the next
  // hook's answer: the next hook never sees a creation, and what it would
  // refuse is created.  Windows are subclassed all the same.
  void ExpectNoChaining() {
    EXPECT_EQ(Shared().HookHandle, nullptr);
    g_reachedNextHook.clear();
    HWND im = Create("AIM_IMessage");
    EXPECT_EQ(ProcOf(im), IMWindowProc);
    EXPECT_NE(Create(kRefusedByNextHook), nullptr);
    EXPECT_EQ(g_reachedNextHook, std::vector<std::string>());
    EXPECT_EQ(CBTProc(HCBT_ACTIVATE, reinterpret_cast<WPARAM>(im), 0), 0);
  }

  HHOOK next_ = nullptr;
  HHOOK hook_ = nullptr;
  std::vector<HWND> windows_;
};

// No _Init@4 has handed the library a hook handle.
using CbtHookBeforeInitTest = HookedThreadTest;

TEST_F(CbtHookBeforeInitTest, ReturnsZeroWithoutChaining) {
  EXPECT_FALSE(HistoryMutex());
  ExpectNoChaining();
}

class CbtHookTest : public HookedThreadTest {
 protected:
  void SetUp() override {
    HookedThreadTest::SetUp();
    Init(hook_);
    Shared().AllowAIMTodayPopup = 0;
    ProcessBuddyListPresence().aimTodayAsked = false;
    ProcessBuddyListPresence().created = false;
    g_fakeNow = 130'000'000'000'000'000ull;
    SetSystemTimeSource(FakeNow);
  }

  void TearDown() override {
    SetSystemTimeSource(nullptr);
    HookedThreadTest::TearDown();
  }
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

// Another add-on's CBT hook, installed after ours and so called first,
// gives the next IM window a procedure of its own; that procedure records
// the windows whose questions for the host reach it.
bool g_otherTakesNextIM = false;
HWND g_takenByOther = nullptr;
WNDPROC g_replacedByOther = nullptr;
std::vector<HWND> g_reachedOther;

LRESULT CALLBACK OtherAddOnProc(HWND w, UINT m, WPARAM wParam, LPARAM lParam) {
  if (m == kAskTheHost) g_reachedOther.push_back(w);
  return CallWindowProcA(g_replacedByOther, w, m, wParam, lParam);
}

LRESULT CALLBACK OtherAddOnHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && g_otherTakesNextIM) {
    g_otherTakesNextIM = false;
    g_takenByOther = reinterpret_cast<HWND>(wParam);
    g_replacedByOther = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        g_takenByOther, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OtherAddOnProc)));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Each of two windows of a row passes its messages to the procedure our
// subclass replaced on it, whichever window the other add-on took.
TEST_F(CbtHookTest, EachWindowPassesMessagesToTheProcedureItReplaced) {
  for (int takenFirst = 0; takenFirst < 2; ++takenFirst) {
    HHOOK other = SetWindowsHookExA(WH_CBT, OtherAddOnHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(other, nullptr);
    g_otherTakesNextIM = takenFirst == 1;
    HWND first = Create("AIM_IMessage");
    g_otherTakesNextIM = takenFirst == 0;
    HWND second = Create("AIM_IMessage");
    UnhookWindowsHookEx(other);
    HWND taken = takenFirst == 1 ? first : second;
    ASSERT_EQ(g_takenByOther, taken);
    EXPECT_EQ(ProcOf(first), IMWindowProc);
    EXPECT_EQ(ProcOf(second), IMWindowProc);

    g_reachedOther.clear();
    EXPECT_EQ(SendMessageA(first, kAskTheHost, 0, 0), kHostAnswer);
    EXPECT_EQ(SendMessageA(second, kAskTheHost, 0, 0), kHostAnswer);
    EXPECT_EQ(g_reachedOther, std::vector<HWND>{taken}) << "taken first: " << takenFirst;
  }
}

TEST_F(CbtHookTest, TodayOnlyAfterTheUsersRequestAndOncePerRequest) {
  EXPECT_EQ(Create("AIM_AimTodayWnd"), nullptr);
  HWND bl = Create("_Oscar_BuddyListWin");
  SendMessageA(bl, WM_COMMAND, 1140, 0);
  EXPECT_TRUE(ProcessBuddyListPresence().aimTodayAsked);
  EXPECT_NE(Create("AIM_AimTodayWnd"), nullptr);
  EXPECT_FALSE(ProcessBuddyListPresence().aimTodayAsked);
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
  Shared().AllowAIMTodayPopup = 1;
  ProcessBuddyListPresence().aimTodayAsked = true;
  EXPECT_NE(Create("AIM_AimTodayWnd"), nullptr);
  EXPECT_FALSE(ProcessBuddyListPresence().aimTodayAsked);
  EXPECT_NE(Create("AIM_AimTodayWnd"), nullptr);
  ProcessBuddyListPresence().aimTodayAsked = true;
  EXPECT_NE(Create("_aim_MiniBrowserClass"), nullptr);
  EXPECT_FALSE(ProcessBuddyListPresence().aimTodayAsked);
  EXPECT_NE(Create("_aim_MiniBrowserClass"), nullptr);
}

TEST_F(CbtHookTest, ChainsOnlyBetweenInitAndShutdown) {
  EXPECT_EQ(Shared().HookHandle, hook_);
  EXPECT_TRUE(HistoryMutex());
  // Every creation reaches the next hook, and its answer comes back.
  EXPECT_EQ(ProcOf(Create("AIM_IMessage")), IMWindowProc);
  EXPECT_EQ(Create(kRefusedByNextHook), nullptr);
  EXPECT_EQ(TimesReachedNextHook("AIM_IMessage"), 1);
  EXPECT_EQ(TimesReachedNextHook(kRefusedByNextHook), 1);
  // A refused pop-up is not passed on.
  EXPECT_EQ(Create("AIM_AimTodayWnd"), nullptr);
  EXPECT_EQ(TimesReachedNextHook("AIM_AimTodayWnd"), 0);

  Shutdown();
  EXPECT_FALSE(HistoryMutex());
  ExpectNoChaining();
}

HANDLE OpenHistoryMutex() { return OpenMutexA(SYNCHRONIZE, FALSE, "MutexToProtectHistoryFiles"); }

// A second _Init@4 in one process keeps one handle to the history mutex:
// after _Shutdown@0 none is left to keep the mutex alive.
TEST_F(CbtHookTest, SecondInitLeavesNoMutexHandleBehind) {
  Shutdown();
  if (HANDLE elsewhere = OpenHistoryMutex()) {
    CloseHandle(elsewhere);
    GTEST_SKIP() << "another process holds the history mutex (a launcher still running?)";
  }
  Init(hook_);
  ASSERT_TRUE(HistoryMutex());
  Init(hook_);
  EXPECT_TRUE(HistoryMutex());
  EXPECT_EQ(Shared().HookHandle, hook_);
  Shutdown();
  HANDLE left = OpenHistoryMutex();
  EXPECT_EQ(left, nullptr) << "a handle of the first _Init@4 still holds the mutex";
  if (left != nullptr) CloseHandle(left);
}

// The stand-in host in a process of its own, with one IM window: its
// windows' procedures cannot be replaced from this process.
class ForeignHost {
 public:
  ForeignHost() {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self);
    std::string command = "\"" + path.substr(0, path.find_last_of('\\') + 1) +
                          "testhost.exe\" --run \"im bob; wait 60000; quit\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
      return;
    }
    for (int i = 0; i < 200 && imWindow_ == nullptr; ++i) {
      for (HWND w = FindWindowExA(nullptr, nullptr, "AIM_IMessage", nullptr); w != nullptr;
           w = FindWindowExA(nullptr, w, "AIM_IMessage", nullptr)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == process_.dwProcessId) imWindow_ = w;
      }
      if (imWindow_ == nullptr) Sleep(50);
    }
  }
  ~ForeignHost() {
    if (process_.hProcess == nullptr) return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  HWND ImWindow() const { return imWindow_; }

 private:
  PROCESS_INFORMATION process_{};
  HWND imWindow_ = nullptr;
};

// A window whose procedure cannot be replaced (one of another process
// serves here) leaves the row's saved host procedure to the windows that
// already pass their messages to it.
TEST_F(CbtHookTest, FailedSubclassKeepsTheRowsSavedProcedure) {
  HWND ours = Create("AIM_IMessage");
  ASSERT_EQ(SendMessageA(ours, kAskTheHost, 0, 0), kHostAnswer);
  ForeignHost host;
  ASSERT_NE(host.ImWindow(), nullptr) << "the stand-in host did not open its IM window";

  CREATESTRUCTA create{};
  CBT_CREATEWNDA notice{&create, nullptr};
  EXPECT_EQ(CBTProc(HCBT_CREATEWND, reinterpret_cast<WPARAM>(host.ImWindow()),
                    reinterpret_cast<LPARAM>(&notice)),
            0);
  EXPECT_NE(ProcOf(host.ImWindow()), IMWindowProc);
  EXPECT_EQ(Process().savedProc[kRowIMWindow], HostProc);
  EXPECT_EQ(SendMessageA(ours, kAskTheHost, 0, 0), kHostAnswer);
}

TEST_F(CbtHookTest, AppPathAndCurDirCopies) {
  std::strcpy(Shared().AppPath, "C:\\abcdefghijklmnopqrstuvwxyz1");  // 30 characters
  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  GetAppPath(buffer, 10);
  EXPECT_EQ(std::string(buffer, 10), "C:\\abcdefg");
  EXPECT_EQ(buffer[10], '#');  // unterminated, nothing beyond the size
  char padded[40];
  std::memset(padded, '#', sizeof padded);
  GetAppPath(padded, 40);
  EXPECT_STREQ(padded, Shared().AppPath);
  for (int i = 30; i < 40; ++i) EXPECT_EQ(padded[i], '\0');

  Shared().AllowCloning = 0;
  EXPECT_EQ(GetAllowCloning(), 0);
  Shared().AllowCloning = 1;
  EXPECT_EQ(GetAllowCloning(), 1);

  EXPECT_STREQ(SetCurDir("C:\\Corvane"), "C:\\Corvane");
  EXPECT_STREQ(Shared().CurDir, "C:\\Corvane");
  const std::string longPath(300, 'p');
  SetCurDir(longPath.c_str());
  EXPECT_EQ(std::strlen(Shared().CurDir), 259u);
}

}  // namespace
}  // namespace corvane
