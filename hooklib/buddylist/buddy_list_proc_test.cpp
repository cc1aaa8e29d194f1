// The Buddy List subclass, installed through the hook procedure on a window
// of the host's class, applying transparency and taking the screen name.
#include "hooklib/buddylist/buddy_list_proc.h"
#include "tests/support/host_class_for_tests.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hooklib/core/private_codes.h"
#include "hooklib/core/process_state.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/hook/exports.h"
#include "hooklib/transparency/testing/layered_alpha_probe.h"
#include "hooklib/transparency/transparency.h"

namespace corvane {
namespace {

struct Delivered {
  UINT message;
  WPARAM wParam;
};
std::vector<Delivered> g_hostSaw;

LRESULT CALLBACK HostProc(HWND w, UINT m, WPARAM wParam, LPARAM lParam) {
  if (m == WM_SYSCOMMAND || m == WM_TIMER || m == WM_ACTIVATE) g_hostSaw.push_back({m, wParam});
  return DefWindowProcA(w, m, wParam, lParam);
}

bool HostSaw(UINT message, WPARAM wParam) {
  for (const Delivered& d : g_hostSaw) {
    if (d.message == message && d.wParam == wParam) return true;
  }
  return false;
}

class BuddyListProcTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterHostClass("_Oscar_BuddyListWin", HostProc); }

  void SetUp() override {
    hook_ = SetWindowsHookExA(WH_CBT, CBTProc, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook_, nullptr);
    Init(hook_);
    Shared().AlphaOn = 1;
    Shared().OpaqueOnTop = 1;
    Shared().AlphaFadeDown = 1;
    Shared().AlphaBL = 230;
    ScreenName()[0] = '\0';
    g_hostSaw.clear();
  }

  void TearDown() override {
    if (window_ != nullptr) DestroyWindow(window_);
    Shutdown();
    UnhookWindowsHookEx(hook_);
  }

  void CreateBuddyList(const char* title = "Buddy List") {
    window_ = CreateWindowExA(0, "_Oscar_BuddyListWin", title, WS_OVERLAPPEDWINDOW, 10, 10, 180,
                              400, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
    ASSERT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window_, GWLP_WNDPROC)),
              BuddyListWndProc);
  }

  std::optional<int> Send(UINT message, WPARAM wParam) {
    SendMessageA(window_, message, wParam, 0);
    return LayeredAlpha(window_);
  }

  // The host changes the title at sign-on and then moves or sizes the window.
  std::string ScreenNameAfterTitle(const char* title) {
    SetWindowTextA(window_, title);
    RECT r{};
    GetWindowRect(window_, &r);
    SetWindowPos(window_, nullptr, r.left + 1, r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return ScreenName();
  }

  HHOOK hook_ = nullptr;
  HWND window_ = nullptr;
};

TEST_F(BuddyListProcTest, CreationAppliesTheBuddyListOpacity) {
  CreateBuddyList();
  EXPECT_TRUE(IsLayered(window_));
  EXPECT_EQ(LayeredAlpha(window_), 230);
}

TEST_F(BuddyListProcTest, CreationWithTransparencyOffLeavesItOpaque) {
  Shared().AlphaOn = 0;
  CreateBuddyList();
  EXPECT_FALSE(IsLayered(window_));
}

TEST_F(BuddyListProcTest, DeactivationFadesToTheFirstLevelNotAboveTheTarget) {
  CreateBuddyList();
  EXPECT_EQ(Send(WM_ACTIVATE, WA_ACTIVE), 255);
  EXPECT_EQ(Send(WM_ACTIVATE, WA_INACTIVE), 255);
  EXPECT_EQ(ProcessFadeLevels().buddyList, 254);
  EXPECT_EQ(Send(WM_TIMER, TIMER_FADE), 244);
  EXPECT_EQ(Send(WM_TIMER, TIMER_FADE), 234);
  EXPECT_EQ(Send(WM_TIMER, TIMER_FADE), 224);
  EXPECT_EQ(Send(WM_TIMER, TIMER_FADE), 224);
  EXPECT_FALSE(KillTimer(window_, TIMER_FADE));  // the last tick stopped it
  EXPECT_TRUE(HostSaw(WM_TIMER, TIMER_FADE));
  EXPECT_TRUE(HostSaw(WM_ACTIVATE, WA_INACTIVE));
}

TEST_F(BuddyListProcTest, ActivationDuringAFadeMakesItOpaqueAtOnce) {
  CreateBuddyList();
  Send(WM_ACTIVATE, WA_INACTIVE);
  EXPECT_EQ(Send(WM_TIMER, TIMER_FADE), 244);
  EXPECT_EQ(Send(WM_ACTIVATE, WA_CLICKACTIVE), 255);
  EXPECT_FALSE(KillTimer(window_, TIMER_FADE));
}

TEST_F(BuddyListProcTest, TheFadeRunsOnItsOwnTimer) {
  CreateBuddyList();
  Send(WM_ACTIVATE, WA_INACTIVE);
  // Three steps of 50 ms and the stop; a generous time for a loaded machine.
  const DWORD until = GetTickCount() + 1500;
  MSG msg;
  while (GetTickCount() < until) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
  EXPECT_EQ(LayeredAlpha(window_), 224);
  EXPECT_EQ(ProcessFadeLevels().buddyList, 224);
  EXPECT_FALSE(KillTimer(window_, TIMER_FADE));
}

TEST_F(BuddyListProcTest, ApplyAlphaCommandRereadsTheSettings) {
  CreateBuddyList();
  Shared().AlphaBL = 100;
  EXPECT_EQ(Send(WM_SYSCOMMAND, CMD_APPLY_ALPHA), 100);
  Shared().AlphaOn = 0;
  Send(WM_SYSCOMMAND, CMD_APPLY_ALPHA);
  EXPECT_FALSE(IsLayered(window_));
  EXPECT_TRUE(HostSaw(WM_SYSCOMMAND, CMD_APPLY_ALPHA));
}

TEST_F(BuddyListProcTest, ScreenNameComesFromTheTitle) {
  CreateBuddyList();
  EXPECT_EQ(ScreenNameAfterTitle("alice's Buddy List"), "alice");
  EXPECT_EQ(ScreenNameAfterTitle("Buddy List"), "alice");  // kept
  EXPECT_EQ(ScreenNameAfterTitle("chris' Buddy List"), "chris");
  EXPECT_EQ(ScreenNameAfterTitle("a' b's c"), "a' b");
  EXPECT_EQ(ScreenNameAfterTitle((std::string(50, 'n') + "'s Buddy List").c_str()),
            std::string(41, 'n'));
  EXPECT_EQ(ScreenNameAfterTitle("bo's Buddy List"), "bo");
  // The rest of the buffer is zero-filled again.
  const char* name = ScreenName();
  for (size_t i = 2; i < kNameCapacity; ++i) EXPECT_EQ(name[i], '\0') << i;
}

TEST_F(BuddyListProcTest, ScreenNameSurvivesTheWindow) {
  CreateBuddyList();
  ScreenNameAfterTitle("alice's Buddy List");
  DestroyWindow(window_);
  window_ = nullptr;
  EXPECT_STREQ(ScreenName(), "alice");
}

}  // namespace
}  // namespace corvane
