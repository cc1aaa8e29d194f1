#include "hooklib/buddylist/buddy_list_proc.h"

#include <cstring>
#include <optional>

#include "common/capacities.h"
#include "common/code_page_characters.h"
#include "common/exception_boundary.h"
#include "common/unique_handle.h"
#include "hooklib/buddylist/buddy_list_window_state.h"
#include "hooklib/buddylist/child_layout.h"
#include "hooklib/buddylist/quick_menu_window.h"
#include "hooklib/buddylist/relayout.h"
#include "hooklib/buddylist/screen_name.h"
#include "hooklib/core/private_codes.h"
#include "hooklib/core/process_state.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/core/system_clock.h"
#include "hooklib/core/window_subclass.h"
#include "hooklib/launch/history_viewer_arguments.h"
#include "hooklib/launch/launch.h"
#include "hooklib/preferences/preferences_dialog.h"
#include "hooklib/transparency/transparency.h"
#include "hooklib/upgrade/upgrade_check.h"

namespace corvane {
namespace {

// Titles are read up to this many characters.
constexpr int kTitleCapacity = 255;

using buddy_list_metrics::kAnchorXAtRest;

// The separator above Close in the system menu.
constexpr UINT kSystemMenuSeparatorId = 20;

// Stops at the first failure: the window works on with what got in.
void AddCommandsToSystemMenu(HMENU systemMenu) {
  struct Item {
    UINT flags;
    UINT id;
    const char* text;
  };
  static const Item kItems[] = {
      {MF_STRING, CMD_LAUNCH_CLONE, "Corvane Cl&one"},
      {MF_STRING, CMD_HISTORY_VIEWER, "Corvane &History"},
      {MF_STRING, CMD_PREFERENCES, "Corvane &Preferences"},
      {MF_SEPARATOR, kSystemMenuSeparatorId, ""},
  };
  for (const Item& item : kItems) {
    if (!InsertMenuA(systemMenu, SC_CLOSE, MF_BYCOMMAND | item.flags, item.id, item.text)) return;
  }
}

void OnCreate(HWND window, BuddyListWindowState& state) {
  state.anchorX = kAnchorXAtRest;
  state.button = {};  // a button held when the last window went is not held now
  state.checkStarted = false;
  state.menuBarShown = true;
  state.firstPaint = true;
  state.relayoutEcho = {};
  state.savedMenuBar = GetMenu(window);
  if (!Shared().Menu) {
    SetMenu(window, nullptr);
    state.menuBarShown = false;
  }
  BuddyListPresence& presence = ProcessBuddyListPresence();
  presence.createdAt = SystemTimeNow();
  presence.created = true;
  LoadQuickMenuIcons(state);
  state.systemMenu = GetSystemMenu(window, FALSE);
  if (state.systemMenu != nullptr) AddCommandsToSystemMenu(state.systemMenu);
  ApplyWindowAlpha(window, Shared().AlphaBL, Shared().AlphaOn);
}

// A window destroys only the menu bar attached to it: a bar hidden by the
// Menu setting goes back on first, or it would outlive every sign-off.
void GiveMenuBarBack(HWND window, BuddyListWindowState& state) {
  if (state.menuBarShown) return;
  // The frame change reaches WM_WINDOWPOSCHANGED; a window on its way out
  // starts no version check there.
  state.checkStarted = true;
  SetMenu(window, state.savedMenuBar);
  state.menuBarShown = true;
}

void OnDestroy(HWND window, BuddyListWindowState& state) {
  GiveMenuBarBack(window, state);
  DestroyQuickMenuIcons(state);
  state.tooltipCreated = false;
  ProcessBuddyListPresence().created = false;
}

// Hiding and showing again makes the shell drop the taskbar button.
void RemoveFromTaskbar(HWND window) {
  ShowWindow(window, SW_HIDE);
  SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_APPWINDOW);
  ShowWindow(window, SW_SHOW);
}

void FollowMenuSetting(HWND window, BuddyListWindowState& state) {
  const bool wanted = Shared().Menu != 0;
  if (state.menuBarShown == wanted) return;
  SetMenu(window, wanted ? state.savedMenuBar : nullptr);
  state.menuBarShown = wanted;
}

void DrawRectangleWithPen(HDC dc, COLORREF colour, int left, int top, int right, int bottom) {
  const OwnedPen pen(CreatePen(PS_SOLID, 1, colour));
  const HGDIOBJ previous = SelectObject(dc, pen.Get());
  Rectangle(dc, left, top, right, bottom);
  SelectObject(dc, previous);
}

// The etched frame around the button row of the compacted layout.
void DrawButtonRowFrame(HDC dc, int width, int anchorY) {
  const HGDIOBJ previousBrush = SelectObject(dc, GetSysColorBrush(COLOR_BTNFACE));
  DrawRectangleWithPen(dc, RGB(255, 255, 255), 1, anchorY - 1, width - 5, anchorY + 28);
  DrawRectangleWithPen(dc, RGB(157, 157, 161), 0, anchorY - 2, width - 6, anchorY + 27);
  SelectObject(dc, previousBrush);
}

// The host never paints the Buddy List's own client area.
void OnPaint(HWND window, BuddyListWindowState& state) {
  if (state.firstPaint && !Shared().ShowBLinTaskbar) RemoveFromTaskbar(window);
  state.firstPaint = false;
  FollowMenuSetting(window, state);
  if (!state.tooltipCreated) {
    CreateQuickMenuTooltip(window, state);
    state.tooltipCreated = true;
  }
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  if (dc == nullptr) return;
  RECT client{};
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (Shared().RemoveAds) DrawButtonRowFrame(dc, client.right, state.anchorY);
  if (!Shared().RemoveAds || Shared().GenButtons) {
    PaintQuickMenuButton(dc, state, state.anchorX, state.anchorY);
  }
  EndPaint(window, &paint);
}

// Small enough for the compacted layout and no smaller.
void SetMinimumTrackSize(MINMAXINFO& info) {
  int height = GetSystemMetrics(SM_CYSIZE) + 2 * GetSystemMetrics(SM_CYFRAME) +
               GetSystemMetrics(SM_CYMENU) + buddy_list_metrics::kMinimumClientHeight;
  if (Shared().GenButtons) height += buddy_list_metrics::kMinimumButtonRowHeight;
  if (Shared().ListButtons) height += buddy_list_metrics::kMinimumButtonRowHeight;
  height += buddy_list_metrics::kTickerRowHeight * Shared().AllowStockTicker;
  info.ptMinTrackSize.x =
      2 * GetSystemMetrics(SM_CXFRAME) + buddy_list_metrics::kMinimumClientWidth;
  info.ptMinTrackSize.y = height;
}

// Once per Buddy List window; the check itself keeps to one a day.
void StartAutomaticVersionCheckOnce(BuddyListWindowState& state) {
  if (state.checkStarted) return;
  state.checkStarted = true;
  StartUpgradeCheck(kAutomaticCheck);
}

// The title names the signed-on user once the host has signed on; any other
// title keeps the name found last.
void TakeScreenNameFromTitle(HWND window) {
  char title[kTitleCapacity] = "";
  const int length = GetWindowTextA(window, title, kTitleCapacity);
  if (length <= 0) return;
  const std::optional<std::string> name =
      ScreenNameFromTitle(std::string_view(title, length), SystemLeadBytes());
  if (!name) return;
  ScreenNameText& screenName = ScreenName();
  std::memset(screenName, 0, sizeof screenName);
  CopyBounded(screenName, sizeof screenName, name->c_str());
}

void LaunchHistoryViewerForUser(HWND window, const char* screenName) {
  const std::string arguments = HistoryViewerArguments(screenName, std::nullopt);
  LaunchHistoryViewer(window, arguments.c_str());
}

void OnWindowPosChanged(HWND window, const WINDOWPOS& position, BuddyListWindowState& state) {
  RECT frame{};
  GetWindowRect(window, &frame);
  if (position.cx < frame.right - frame.left) state.anchorX = kAnchorXAtRest;
  NoticeSizeChange(window, state.relayoutEcho);
  TakeScreenNameFromTitle(window);
  StartAutomaticVersionCheckOnce(state);
}

void OnSysCommand(HWND window, WPARAM command, BuddyListWindowState& state) {
  switch (command) {
    case CMD_RELAYOUT:
      Relayout(window, state.relayoutEcho);
      break;
    case CMD_PREFERENCES:
      DoPrefDlg();
      break;
    case CMD_APPLY_ALPHA:
      ApplyWindowAlpha(window, Shared().AlphaBL, Shared().AlphaOn);
      break;
    case CMD_LAUNCH_CLONE:
      LaunchClone();
      break;
    case CMD_HISTORY_VIEWER:
      LaunchHistoryViewerForUser(window, ScreenName());
      break;
  }
}

// Done before the host sees the message.  The answer when the library
// answers it itself: the paint, the minimum size with the compacted layout
// and the button's own moves.
std::optional<LRESULT> AnswerBuddyListMessage(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  BuddyListWindowState& state = BuddyListWindow();
  if (message == SettleSizeMessage()) {
    SettleSize(window, state.relayoutEcho);
    return 0;
  }
  switch (message) {
    case WM_CREATE:
      OnCreate(window, state);
      break;
    case WM_DESTROY:
      OnDestroy(window, state);
      break;
    case WM_PAINT:
      OnPaint(window, state);
      return 0;
    case WM_GETMINMAXINFO:
      if (!Shared().RemoveAds) break;
      SetMinimumTrackSize(*reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSELEAVE:
      if (Shared().GenButtons &&
          OnQuickMenuMouse(window, message, lParam, state, state.anchorX, state.anchorY)) {
        return 0;
      }
      break;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      LetGoOfQuickMenuButton(window, state, state.anchorX, state.anchorY);
      break;
    case WM_ACTIVATE:
    case WM_TIMER:
      OnActivationMessage(window, message, wParam, Shared().AlphaBL, ProcessFadeLevels().buddyList);
      break;
    case WM_ENTERSIZEMOVE:
      StopWatchingForEcho(state.relayoutEcho);
      break;
    case WM_WINDOWPOSCHANGED:
      OnWindowPosChanged(window, *reinterpret_cast<const WINDOWPOS*>(lParam), state);
      break;
    case WM_COMMAND:
      // The user asked the host for its Today window.
      if (wParam == kHostCmdAimToday) ProcessBuddyListPresence().aimTodayAsked = true;
      break;
    case WM_SYSCOMMAND:
      OnSysCommand(window, wParam, state);
      break;
  }
  return std::nullopt;
}

}  // namespace

BuddyListWindowState& BuddyListWindow() {
  static BuddyListWindowState state;
  return state;
}

BuddyListPresence& ProcessBuddyListPresence() {
  static BuddyListPresence presence;
  return presence;
}

// The host sees every message that the library does not answer, also when
// the library's handling failed.
LRESULT CALLBACK BuddyListWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  std::optional<LRESULT> answer;
  RunContained([&] { answer = AnswerBuddyListMessage(window, message, wParam, lParam); });
  return answer ? *answer : CallSavedProc(kRowBuddyList, window, message, wParam, lParam);
}

}  // namespace corvane
