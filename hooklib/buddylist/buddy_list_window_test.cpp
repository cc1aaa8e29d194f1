// The Buddy List subclass's own window work: system menu, painting, menu
// bar, taskbar, minimum size, the quick-menu button and its popup menu.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "hooklib/buddylist/buddy_list_proc.h"
#include "hooklib/buddylist/buddy_list_window_state.h"
#include "hooklib/buddylist/quick_menu_button.h"
#include "hooklib/core/private_codes.h"
#include "hooklib/core/process_state.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/hook/exports.h"
#include "tests/support/beside_this_program.h"
#include "tests/support/box_answerer.h"
#include "tests/support/host_class_for_tests.h"

namespace corvane {
namespace {

constexpr DWORD kWaitMs = 10000;
constexpr UINT kGetMenuOfMenuWindow = 0x01E1;  // MN_GETHMENU

struct Delivered {
  UINT message;
  WPARAM wParam;
};
std::vector<Delivered> g_hostSaw;
HMENU g_menuAtHostDestroy = nullptr;  // the window's menu bar when the host saw WM_DESTROY
int g_sizedWhileMinimised = 0;        // size changes asked of the window while iconic

LRESULT CALLBACK HostProc(HWND w, UINT m, WPARAM wParam, LPARAM lParam) {
  if (m == WM_SYSCOMMAND || m == WM_MOUSEMOVE || m == WM_LBUTTONDOWN || m == WM_LBUTTONUP ||
      m == WM_GETMINMAXINFO) {
    g_hostSaw.push_back({m, wParam});
  }
  if (m == WM_DESTROY) g_menuAtHostDestroy = GetMenu(w);
  if (m == WM_WINDOWPOSCHANGING && IsIconic(w) &&
      !(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOSIZE)) {
    ++g_sizedWhileMinimised;
  }
  return DefWindowProcA(w, m, wParam, lParam);
}

int HostSawCount(UINT message, WPARAM wParam) {
  int count = 0;
  for (const Delivered& d : g_hostSaw) {
    if (d.message == message && d.wParam == wParam) ++count;
  }
  return count;
}

std::string MenuText(HMENU menu, int position) {
  char text[128] = "";
  GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

struct MenuItem {
  UINT type;
  UINT id;
  std::string text;
};

std::vector<MenuItem> ItemsOf(HMENU menu) {
  std::vector<MenuItem> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID;
    GetMenuItemInfoA(menu, i, TRUE, &info);
    items.push_back({info.fType & MFT_SEPARATOR, info.wID, MenuText(menu, i)});
  }
  return items;
}

// Watches for the popup menu on the test's thread, notes its items and
// place, then picks an item with the keyboard or cancels it.
class PopupMenuRobot {
 public:
  explicit PopupMenuRobot(int pick) : pick_(pick), thread_([this] { Run(); }) {}
  ~PopupMenuRobot() { Finish(); }
  void Finish() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }

  bool found = false;
  std::vector<MenuItem> items;
  RECT place{};

 private:
  void Run() {
    const DWORD until = GetTickCount() + kWaitMs;
    while (!stop_ && GetTickCount() < until) {
      HWND menuWindow = FindWindowA("#32768", nullptr);
      if (menuWindow != nullptr && IsWindowVisible(menuWindow)) {
        found = true;
        items =
            ItemsOf(reinterpret_cast<HMENU>(SendMessageA(menuWindow, kGetMenuOfMenuWindow, 0, 0)));
        GetWindowRect(menuWindow, &place);
        if (pick_ == 0) {
          PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
        } else {
          for (int i = 0; i < pick_; ++i) PostMessageA(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
          PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
        }
        return;
      }
      Sleep(10);
    }
  }

  int pick_;  // 1-based item to choose; 0 cancels
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

std::string LibraryPath() { return corvane::BesideThisProgram("Corvane.dll"); }

LPARAM Point(int x, int y) { return MAKELPARAM(x, y); }

class BuddyListWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterHostClass("_Oscar_BuddyListWin", HostProc);
    RegisterHostClass("Corvane test plain window", HostProc);
    // The icons come from the library's own resources.
    g_library = LoadLibraryA(LibraryPath().c_str());
    Process().module = g_library;
  }

  void SetUp() override {
    ASSERT_NE(g_library, nullptr) << LibraryPath();
    hook_ = SetWindowsHookExA(WH_CBT, CBTProc, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook_, nullptr);
    Init(hook_);
    Shared().AlphaOn = 0;
    Shared().Menu = 1;
    Shared().ShowBLinTaskbar = 1;
    Shared().RemoveAds = 0;
    Shared().GenButtons = 1;
    Shared().ListButtons = 0;
    Shared().AllowStockTicker = 0;
    BuddyListWindow().anchorY = 0;
    g_hostSaw.clear();
  }

  // The host's menu bar goes with its window, attached or not: a bar left
  // behind is one more leaked at every sign-off.
  void TearDown() override {
    if (window_ != nullptr) DestroyBuddyList();
    EXPECT_EQ(menuBar_, nullptr) << "the host's menu bar outlived its window";
    Shutdown();
    UnhookWindowsHookEx(hook_);
  }

  void CreateBuddyList(DWORD exStyle = 0) {
    menuBar_ = CreateMenu();
    AppendMenuA(menuBar_, MF_STRING, 100, "&My AIM");
    AppendMenuA(menuBar_, MF_STRING, 101, "&People");
    window_ = CreateWindowExA(exStyle, "_Oscar_BuddyListWin", "Buddy List", WS_OVERLAPPEDWINDOW, 10,
                              10, 180, 400, nullptr, menuBar_, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
    ASSERT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window_, GWLP_WNDPROC)),
              BuddyListWndProc);
  }

  // The host signs off: its window goes, and the menu bar with it.
  void DestroyBuddyList() {
    DestroyWindow(window_);
    window_ = nullptr;
    if (!IsMenu(menuBar_)) menuBar_ = nullptr;
  }

  void ShowAndPaint() {
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    Repaint();
  }
  void Repaint() {
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
  }

  COLORREF PixelAt(int x, int y) {
    HDC dc = GetDC(window_);
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window_, dc);
    return pixel;
  }

  // A point inside the button's hit area, and one outside it.
  LPARAM Inside() { return Point(BuddyListWindow().anchorX + 10, BuddyListWindow().anchorY + 12); }
  LPARAM Outside() { return Point(BuddyListWindow().anchorX + 40, BuddyListWindow().anchorY + 12); }

  static HMODULE g_library;
  HHOOK hook_ = nullptr;
  HWND window_ = nullptr;
  HMENU menuBar_ = nullptr;
};

HMODULE BuddyListWindowTest::g_library = nullptr;

TEST_F(BuddyListWindowTest, TheLibraryCarriesTheThreeButtonIcons) {
  for (int id : {kQuickMenuIconNormal, kQuickMenuIconPressed, kQuickMenuIconHover}) {
    HICON icon = LoadIconA(g_library, MAKEINTRESOURCEA(id));
    ASSERT_NE(icon, nullptr) << id;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info)) << id;
    BITMAP bitmap{};
    GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 32) << id;
    EXPECT_EQ(bitmap.bmHeight, 32) << id;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
}

TEST_F(BuddyListWindowTest, SystemMenuGetsTheThreeCommandsAndASeparatorBeforeClose) {
  HWND plain = CreateWindowExA(0, "Corvane test plain window", "plain", WS_OVERLAPPEDWINDOW, 0, 0,
                               100, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  const std::vector<MenuItem> host = ItemsOf(GetSystemMenu(plain, FALSE));
  DestroyWindow(plain);
  // Wine adds an item of its own after Close.
  size_t close = 0;
  while (close < host.size() && host[close].id != SC_CLOSE) ++close;
  ASSERT_LT(close, host.size());
  std::vector<MenuItem> expected(host.begin(), host.begin() + close);
  expected.push_back({0, CMD_LAUNCH_CLONE, "Corvane Cl&one"});
  expected.push_back({0, CMD_HISTORY_VIEWER, "Corvane &History"});
  expected.push_back({0, CMD_PREFERENCES, "Corvane &Preferences"});
  expected.push_back({MFT_SEPARATOR, 20, ""});
  expected.insert(expected.end(), host.begin() + close, host.end());

  CreateBuddyList();
  const std::vector<MenuItem> items = ItemsOf(GetSystemMenu(window_, FALSE));
  ASSERT_EQ(items.size(), expected.size());
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].type, expected[i].type) << i;
    EXPECT_EQ(items[i].id, expected[i].id) << i;
    EXPECT_EQ(items[i].text, expected[i].text) << i;
  }
}

// The clone and History Viewer commands start programs; the launch test
// shows that they too reach the host.
TEST_F(BuddyListWindowTest, PrivateSystemCommandsGoOnToTheHost) {
  CreateBuddyList();
  for (WPARAM command : {CMD_APPLY_ALPHA, CMD_RELAYOUT}) {
    SendMessageA(window_, WM_SYSCOMMAND, command, 0);
    EXPECT_EQ(HostSawCount(WM_SYSCOMMAND, command), 1) << command;
  }
  // Preferences opens the real dialog (whose previews reach this window
  // too); the user cancels it.
  BoxAnswerer user("Corvane Preferences", IDCANCEL);
  SendMessageA(window_, WM_SYSCOMMAND, CMD_PREFERENCES, 0);
  EXPECT_TRUE(user.Answered());
  EXPECT_EQ(HostSawCount(WM_SYSCOMMAND, CMD_PREFERENCES), 1);
}

TEST_F(BuddyListWindowTest, RelayoutKeepsTheSizeOfANormalWindow) {
  CreateBuddyList();
  ShowAndPaint();
  RECT before{};
  GetWindowRect(window_, &before);
  SendMessageA(window_, WM_SYSCOMMAND, CMD_RELAYOUT, 0);
  RECT after{};
  GetWindowRect(window_, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(HostSawCount(WM_SYSCOMMAND, SC_RESTORE), 0);
}

SIZE SizeOf(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

// Handles this thread's messages until `done` holds or the time is up.
template <typename Done>
bool PumpUntil(Done done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    if (done()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
}

bool PumpUntilSize(HWND window, SIZE wanted, DWORD timeoutMs) {
  return PumpUntil(
      [&] {
        const SIZE now = SizeOf(window);
        return now.cx == wanted.cx && now.cy == wanted.cy;
      },
      timeoutMs);
}

// The size is kept while what is queued (and whatever that brings) is handled.
void ExpectSizeStays(HWND window, SIZE size) {
  PumpUntil([] { return false; }, 500);
  EXPECT_EQ(SizeOf(window).cx, size.cx);
  EXPECT_EQ(SizeOf(window).cy, size.cy);
}

void Resize(HWND window, int width, int height) {
  RECT frame{};
  GetWindowRect(window, &frame);
  SetWindowPos(window, nullptr, frame.left, frame.top, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// A window manager's late answer to the relayout's wider request resizes the
// window after the relayout is over; the window goes back to its size.
TEST_F(BuddyListWindowTest, LateAnswerToTheWiderRequestIsUndone) {
  CreateBuddyList();
  ShowAndPaint();
  const SIZE size = SizeOf(window_);
  SendMessageA(window_, WM_SYSCOMMAND, CMD_RELAYOUT, 0);
  for (int echo = 0; echo < 2; ++echo) {  // the answer may come more than once
    Resize(window_, size.cx + 1, size.cy + 1);
    EXPECT_TRUE(PumpUntilSize(window_, size, kWaitMs)) << "echo " << echo;
  }
}

// Relayouts come in bursts while the dialog is used; one that comes while
// the echo of the one before is not yet undone keeps the size before.
TEST_F(BuddyListWindowTest, RelayoutDuringAnEchoKeepsTheSizeBeforeIt) {
  CreateBuddyList();
  ShowAndPaint();
  const SIZE size = SizeOf(window_);
  SendMessageA(window_, WM_SYSCOMMAND, CMD_RELAYOUT, 0);
  Resize(window_, size.cx + 1, size.cy + 1);
  SendMessageA(window_, WM_SYSCOMMAND, CMD_RELAYOUT, 0);
  EXPECT_TRUE(PumpUntilSize(window_, size, kWaitMs));
}

// A size given on purpose after a relayout stays, even when it is the one
// an echo would have; so does one the user drags after sizing the window.
TEST_F(BuddyListWindowTest, SizesGivenOnPurposeAfterARelayoutStay) {
  CreateBuddyList();
  ShowAndPaint();
  const SIZE size = SizeOf(window_);
  SendMessageA(window_, WM_SYSCOMMAND, CMD_RELAYOUT, 0);
  Resize(window_, size.cx + 20, size.cy + 20);
  ASSERT_TRUE(PumpUntilSize(window_, {size.cx + 20, size.cy + 20}, kWaitMs));
  Resize(window_, size.cx + 1, size.cy + 1);
  ExpectSizeStays(window_, {size.cx + 1, size.cy + 1});

  SendMessageA(window_, WM_SYSCOMMAND, CMD_RELAYOUT, 0);
  const SIZE relaidOut = SizeOf(window_);
  SendMessageA(window_, WM_ENTERSIZEMOVE, 0, 0);
  Resize(window_, relaidOut.cx + 1, relaidOut.cy + 1);
  SendMessageA(window_, WM_EXITSIZEMOVE, 0, 0);
  ExpectSizeStays(window_, {relaidOut.cx + 1, relaidOut.cy + 1});
}

// The preferences dialog re-lays out every Buddy List as it opens and as it
// is cancelled; a minimised one comes back at the size it had.  (Windows
// takes a size given to a minimised window as its restored size; Wine keeps
// the restored size, so the test also sees that no size is given at all.)
TEST_F(BuddyListWindowTest, MinimisedWindowKeepsItsSizeThroughPreferencesAndCancel) {
  CreateBuddyList();
  ShowAndPaint();
  RECT before{};
  GetWindowRect(window_, &before);
  ShowWindow(window_, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(window_));
  g_sizedWhileMinimised = 0;
  {
    BoxAnswerer user("Corvane Preferences", IDCANCEL);
    SendMessageA(window_, WM_SYSCOMMAND, CMD_PREFERENCES, 0);
    ASSERT_TRUE(user.Answered());
  }
  EXPECT_EQ(HostSawCount(WM_SYSCOMMAND, CMD_RELAYOUT), 2);  // opening and Cancel
  EXPECT_EQ(g_sizedWhileMinimised, 0);
  EXPECT_TRUE(IsIconic(window_));
  ShowWindow(window_, SW_RESTORE);
  RECT after{};
  GetWindowRect(window_, &after);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
  EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(BuddyListWindowTest, RelayoutRestoresAndMaximisesAMaximisedWindow) {
  CreateBuddyList();
  ShowWindow(window_, SW_MAXIMIZE);
  ASSERT_TRUE(IsZoomed(window_));
  SendMessageA(window_, WM_SYSCOMMAND, CMD_RELAYOUT, 0);
  EXPECT_EQ(HostSawCount(WM_SYSCOMMAND, SC_RESTORE), 1);
  EXPECT_EQ(HostSawCount(WM_SYSCOMMAND, SC_MAXIMIZE), 1);
  EXPECT_TRUE(IsZoomed(window_));
}

TEST_F(BuddyListWindowTest, MenuSettingDetachesAndRestoresTheSameMenuBar) {
  CreateBuddyList();
  ShowAndPaint();
  EXPECT_EQ(GetMenu(window_), menuBar_);
  Shared().Menu = 0;
  EXPECT_EQ(GetMenu(window_), menuBar_);  // not before the next paint
  Repaint();
  EXPECT_EQ(GetMenu(window_), nullptr);
  Shared().Menu = 1;
  Repaint();
  EXPECT_EQ(GetMenu(window_), menuBar_);
}

TEST_F(BuddyListWindowTest, MenuOffAtCreationDetachesTheBarAtOnce) {
  Shared().Menu = 0;
  CreateBuddyList();
  EXPECT_EQ(GetMenu(window_), nullptr);
  EXPECT_FALSE(BuddyListWindow().menuBarShown);
  Shared().Menu = 1;
  ShowAndPaint();
  EXPECT_EQ(GetMenu(window_), menuBar_);
}

// Signing off while the bar is hidden: the host finds its bar attached
// again when it handles the destruction, and the bar goes with the window.
TEST_F(BuddyListWindowTest, SignOffWithTheMenuBarHiddenTakesTheBarAlong) {
  Shared().Menu = 0;
  CreateBuddyList();  // detached at creation
  ShowAndPaint();
  ASSERT_EQ(GetMenu(window_), nullptr);
  const HMENU bar = menuBar_;
  DestroyBuddyList();
  EXPECT_EQ(g_menuAtHostDestroy, bar);
  EXPECT_FALSE(IsMenu(bar));

  Shared().Menu = 1;
  CreateBuddyList();
  ShowAndPaint();
  Shared().Menu = 0;
  Repaint();  // detached by a later paint
  ASSERT_EQ(GetMenu(window_), nullptr);
  const HMENU second = menuBar_;
  DestroyBuddyList();
  EXPECT_EQ(g_menuAtHostDestroy, second);
  EXPECT_FALSE(IsMenu(second));
}

TEST_F(BuddyListWindowTest, TaskbarOffDropsTheAppWindowStyleAtTheFirstPaint) {
  Shared().ShowBLinTaskbar = 0;
  CreateBuddyList(WS_EX_APPWINDOW);
  EXPECT_TRUE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  ShowAndPaint();
  EXPECT_FALSE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_TRUE(IsWindowVisible(window_));
  // Switching it on again changes nothing for this window.
  Shared().ShowBLinTaskbar = 1;
  Repaint();
  EXPECT_FALSE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST_F(BuddyListWindowTest, TaskbarOnKeepsTheAppWindowStyle) {
  CreateBuddyList(WS_EX_APPWINDOW);
  ShowAndPaint();
  EXPECT_TRUE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

TEST_F(BuddyListWindowTest, MinimumTrackingSizeFitsTheCompactedLayout) {
  CreateBuddyList();
  const int width = 2 * GetSystemMetrics(SM_CXFRAME) + 148;
  const int height = GetSystemMetrics(SM_CYSIZE) + 2 * GetSystemMetrics(SM_CYFRAME) +
                     GetSystemMetrics(SM_CYMENU) + 50;
  struct Case {
    int genButtons, listButtons, stockTicker, extra;
  };
  Shared().RemoveAds = 1;
  for (const Case& c : {Case{0, 0, 0, 0}, Case{1, 0, 0, 32}, Case{1, 1, 0, 64}, Case{0, 1, 1, 50},
                        Case{1, 1, 1, 82}}) {
    Shared().GenButtons = c.genButtons;
    Shared().ListButtons = c.listButtons;
    Shared().AllowStockTicker = c.stockTicker;
    MINMAXINFO info{};
    g_hostSaw.clear();
    EXPECT_EQ(SendMessageA(window_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(info.ptMinTrackSize.x, width);
    EXPECT_EQ(info.ptMinTrackSize.y, height + c.extra)
        << c.genButtons << c.listButtons << c.stockTicker;
    EXPECT_EQ(HostSawCount(WM_GETMINMAXINFO, 0), 0);
  }
  Shared().RemoveAds = 0;
  MINMAXINFO info{};
  SendMessageA(window_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(HostSawCount(WM_GETMINMAXINFO, 0), 1);
}

TEST_F(BuddyListWindowTest, PaintFillsTheButtonFaceAndDrawsTheFrameWithoutAds) {
  Shared().RemoveAds = 1;
  CreateBuddyList();
  BuddyListWindow().anchorY = 40;
  ShowAndPaint();
  RECT client{};
  GetClientRect(window_, &client);
  const int w = client.right;
  // The second rectangle's fill covers the white one's top and left edges:
  // dark top and left, white bottom and right.
  EXPECT_EQ(PixelAt(0, 50), RGB(157, 157, 161));
  EXPECT_EQ(PixelAt(5, 38), RGB(157, 157, 161));
  EXPECT_EQ(PixelAt(w - 7, 50), RGB(157, 157, 161));
  EXPECT_EQ(PixelAt(5, 66), RGB(157, 157, 161));
  EXPECT_EQ(PixelAt(w - 6, 50), RGB(255, 255, 255));
  EXPECT_EQ(PixelAt(5, 67), RGB(255, 255, 255));
  EXPECT_EQ(PixelAt(1, 50), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(PixelAt(w - 5, 50), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(PixelAt(5, 100), GetSysColor(COLOR_BTNFACE));
  // The normal look of the button at the anchor.
  EXPECT_EQ(PixelAt(BuddyListWindow().anchorX + 10, 49), RGB(212, 208, 200));
}

TEST_F(BuddyListWindowTest, TooltipFollowsTheButton) {
  CreateBuddyList();
  ShowAndPaint();
  const BuddyListWindowState& state = BuddyListWindow();
  ASSERT_TRUE(state.tooltipCreated);
  ASSERT_NE(state.tooltip, nullptr);
  char className[64] = "";
  GetClassNameA(state.tooltip, className, sizeof className);
  EXPECT_STREQ(className, "tooltips_class32");
  EXPECT_EQ(GetWindow(state.tooltip, GW_OWNER), window_);
  EXPECT_TRUE(GetWindowLongA(state.tooltip, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(SendMessageA(state.tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageA(state.tooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 0);
  EXPECT_EQ(SendMessageA(state.tooltip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 0);
  char text[64] = "";
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = window_;
  tool.uId = 0;
  tool.lpszText = text;
  ASSERT_TRUE(SendMessageA(state.tooltip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool)));
  EXPECT_STREQ(text, "Corvane");
  EXPECT_EQ(tool.uFlags & TTF_SUBCLASS, static_cast<UINT>(TTF_SUBCLASS));
  const RECT expected{106, 7, 124, 24};
  EXPECT_TRUE(EqualRect(&tool.rect, &expected));
  BuddyListWindow().anchorX = 60;
  Repaint();
  SendMessageA(state.tooltip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&tool));
  const RECT moved{63, 7, 81, 24};
  EXPECT_TRUE(EqualRect(&tool.rect, &moved));
}

TEST_F(BuddyListWindowTest, HoverShowsTheHoverLook) {
  CreateBuddyList();
  ShowAndPaint();
  const int x = BuddyListWindow().anchorX + 10;
  SendMessageA(window_, WM_MOUSEMOVE, 0, Inside());
  EXPECT_TRUE(BuddyListWindow().button.hover);
  EXPECT_EQ(PixelAt(x, 9), RGB(200, 220, 250));
  EXPECT_EQ(HostSawCount(WM_MOUSEMOVE, 0), 1);
  SendMessageA(window_, WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(BuddyListWindow().button.hover);
  EXPECT_EQ(PixelAt(x, 9), RGB(212, 208, 200));
}

TEST_F(BuddyListWindowTest, PressAndReleaseOnTheButtonOpensTheMenuAtTheClick) {
  CreateBuddyList();
  ShowAndPaint();
  SendMessageA(window_, WM_MOUSEMOVE, 0, Inside());
  SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, Inside());
  EXPECT_TRUE(BuddyListWindow().button.pressed);
  EXPECT_EQ(GetCapture(), window_);
  EXPECT_EQ(HostSawCount(WM_LBUTTONDOWN, MK_LBUTTON), 1);
  SendMessageA(window_, WM_MOUSEMOVE, MK_LBUTTON, Inside());
  EXPECT_EQ(HostSawCount(WM_MOUSEMOVE, MK_LBUTTON), 0);  // pressed: the button's own

  PopupMenuRobot robot(3);
  BoxAnswerer user("Corvane Preferences", IDCANCEL);
  SendMessageA(window_, WM_LBUTTONUP, 0, Inside());
  robot.Finish();
  EXPECT_TRUE(user.Answered());
  ASSERT_TRUE(robot.found);
  ASSERT_EQ(robot.items.size(), 3u);
  EXPECT_EQ(robot.items[0].id, 1u);
  EXPECT_EQ(robot.items[0].text, "Corvane Clone");
  EXPECT_EQ(robot.items[1].id, 2u);
  EXPECT_EQ(robot.items[1].text, "Corvane History");
  EXPECT_EQ(robot.items[2].id, 3u);
  EXPECT_EQ(robot.items[2].text, "Corvane Preferences");
  RECT frame{};
  GetWindowRect(window_, &frame);
  EXPECT_EQ(robot.place.left, frame.left + BuddyListWindow().anchorX + 10);
  EXPECT_EQ(robot.place.top, frame.top + BuddyListWindow().anchorY + 12);
  EXPECT_EQ(HostSawCount(WM_SYSCOMMAND, CMD_PREFERENCES), 1);
  EXPECT_EQ(HostSawCount(WM_LBUTTONUP, 0), 1);
  EXPECT_FALSE(BuddyListWindow().button.pressed);
  EXPECT_TRUE(BuddyListWindow().button.hover);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(BuddyListWindowTest, CancelledMenuSendsNoCommand) {
  CreateBuddyList();
  ShowAndPaint();
  SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, Inside());
  PopupMenuRobot robot(0);
  SendMessageA(window_, WM_LBUTTONUP, 0, Inside());
  robot.Finish();
  EXPECT_TRUE(robot.found);
  for (WPARAM command : {CMD_LAUNCH_CLONE, CMD_HISTORY_VIEWER, CMD_PREFERENCES}) {
    EXPECT_EQ(HostSawCount(WM_SYSCOMMAND, command), 0) << command;
  }
}

TEST_F(BuddyListWindowTest, DragOffTheButtonAndReleaseOpensNoMenu) {
  CreateBuddyList();
  ShowAndPaint();
  SendMessageA(window_, WM_MOUSEMOVE, 0, Inside());
  SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, Inside());
  SendMessageA(window_, WM_MOUSEMOVE, MK_LBUTTON, Outside());
  EXPECT_FALSE(BuddyListWindow().button.hover);
  EXPECT_TRUE(BuddyListWindow().button.pressed);
  PopupMenuRobot robot(0);
  SendMessageA(window_, WM_LBUTTONUP, 0, Outside());
  robot.Finish();
  EXPECT_FALSE(robot.found);
  EXPECT_FALSE(BuddyListWindow().button.pressed);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(PixelAt(BuddyListWindow().anchorX + 10, 9), RGB(212, 208, 200));
}

// Another window takes the mouse while the button is held (a dialog, an
// Alt+Tab): the button lets go, and the Buddy List is the host's again.
TEST_F(BuddyListWindowTest, PressedButtonLetsGoWhenAnotherWindowTakesTheMouse) {
  CreateBuddyList();
  ShowAndPaint();
  HWND other = CreateWindowExA(0, "Corvane test plain window", "other", WS_OVERLAPPEDWINDOW, 0, 0,
                               100, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(window_, WM_MOUSEMOVE, 0, Inside());
  SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, Inside());
  ASSERT_TRUE(BuddyListWindow().button.pressed);
  SetCapture(other);
  EXPECT_FALSE(BuddyListWindow().button.pressed);
  EXPECT_FALSE(BuddyListWindow().button.hover);
  EXPECT_EQ(PixelAt(BuddyListWindow().anchorX + 10, 9), RGB(212, 208, 200));
  ReleaseCapture();
  DestroyWindow(other);

  g_hostSaw.clear();
  SendMessageA(window_, WM_MOUSEMOVE, 0, Outside());
  EXPECT_EQ(HostSawCount(WM_MOUSEMOVE, 0), 1);
  PopupMenuRobot robot(0);
  SendMessageA(window_, WM_LBUTTONUP, 0, Inside());
  robot.Finish();
  EXPECT_FALSE(robot.found);
}

TEST_F(BuddyListWindowTest, CancelModeLetsGoOfThePressedButtonAndTheMouse) {
  CreateBuddyList();
  ShowAndPaint();
  SendMessageA(window_, WM_MOUSEMOVE, 0, Inside());
  SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, Inside());
  ASSERT_EQ(GetCapture(), window_);
  SendMessageA(window_, WM_CANCELMODE, 0, 0);
  EXPECT_FALSE(BuddyListWindow().button.pressed);
  EXPECT_FALSE(BuddyListWindow().button.hover);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(PixelAt(BuddyListWindow().anchorX + 10, 9), RGB(212, 208, 200));
}

TEST_F(BuddyListWindowTest, PressOutsideTheHitAreaIsTheHostsOnly) {
  CreateBuddyList();
  ShowAndPaint();
  SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, Outside());
  EXPECT_FALSE(BuddyListWindow().button.pressed);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(HostSawCount(WM_LBUTTONDOWN, MK_LBUTTON), 1);
}

TEST_F(BuddyListWindowTest, WithoutGeneralButtonsTheButtonDoesNotReact) {
  Shared().GenButtons = 0;
  CreateBuddyList();
  ShowAndPaint();
  SendMessageA(window_, WM_MOUSEMOVE, 0, Inside());
  EXPECT_FALSE(BuddyListWindow().button.hover);
  SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, Inside());
  EXPECT_FALSE(BuddyListWindow().button.pressed);
  EXPECT_EQ(GetCapture(), nullptr);
  PopupMenuRobot robot(0);
  SendMessageA(window_, WM_LBUTTONUP, 0, Inside());
  robot.Finish();
  EXPECT_FALSE(robot.found);
  EXPECT_EQ(HostSawCount(WM_MOUSEMOVE, 0), 1);
  EXPECT_EQ(HostSawCount(WM_LBUTTONDOWN, MK_LBUTTON), 1);
  EXPECT_EQ(HostSawCount(WM_LBUTTONUP, 0), 1);
}

// The width carried in the notice is compared with the window's width.
TEST_F(BuddyListWindowTest, ANarrowerPositionPutsTheButtonBackAtRest) {
  CreateBuddyList();
  RECT frame{};
  GetWindowRect(window_, &frame);
  WINDOWPOS position{};
  position.hwnd = window_;
  position.cx = frame.right - frame.left;
  position.cy = frame.bottom - frame.top;
  position.flags = SWP_NOZORDER | SWP_NOACTIVATE;
  BuddyListWindow().anchorX = 140;
  SendMessageA(window_, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
  EXPECT_EQ(BuddyListWindow().anchorX, 140);
  position.cx -= 1;
  SendMessageA(window_, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&position));
  EXPECT_EQ(BuddyListWindow().anchorX, 103);
}

TEST_F(BuddyListWindowTest, VersionCheckIsMarkedStartedAtTheFirstMove) {
  CreateBuddyList();
  SetWindowPos(window_, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(BuddyListWindow().checkStarted);
}

TEST_F(BuddyListWindowTest, SignOffAndSignOnStartTheWindowStateAfresh) {
  CreateBuddyList();
  ShowAndPaint();
  const HWND firstTooltip = BuddyListWindow().tooltip;
  BuddyListWindow().anchorX = 50;
  DestroyBuddyList();
  BuddyListWindowState& state = BuddyListWindow();
  EXPECT_FALSE(state.tooltipCreated);
  EXPECT_FALSE(state.normalIcon);
  EXPECT_FALSE(state.hoverIcon);
  EXPECT_FALSE(state.pressedIcon);
  EXPECT_FALSE(ProcessBuddyListPresence().created);
  EXPECT_FALSE(IsWindow(firstTooltip));  // owned by the Buddy List, gone with it

  state.checkStarted = true;
  state.button = {true, true};  // whatever the last window left
  Shared().ShowBLinTaskbar = 0;
  CreateBuddyList(WS_EX_APPWINDOW);
  EXPECT_EQ(BuddyListWindow().anchorX, 103);
  EXPECT_FALSE(state.button.hover);
  EXPECT_FALSE(state.button.pressed);
  EXPECT_TRUE(state.firstPaint);
  EXPECT_TRUE(state.menuBarShown);
  EXPECT_TRUE(ProcessBuddyListPresence().created);
  EXPECT_TRUE(state.normalIcon);
  EXPECT_TRUE(state.hoverIcon);
  EXPECT_TRUE(state.pressedIcon);
  for (UINT command : {CMD_LAUNCH_CLONE, CMD_HISTORY_VIEWER, CMD_PREFERENCES}) {
    EXPECT_NE(GetMenuState(GetSystemMenu(window_, FALSE), command, MF_BYCOMMAND),
              static_cast<UINT>(-1))
        << command;
  }
  ShowAndPaint();
  EXPECT_FALSE(state.firstPaint);
  EXPECT_TRUE(state.tooltipCreated);
  EXPECT_NE(state.tooltip, nullptr);
  EXPECT_EQ(GetWindow(state.tooltip, GW_OWNER), window_);
  EXPECT_FALSE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_APPWINDOW);
}

}  // namespace
}  // namespace corvane
