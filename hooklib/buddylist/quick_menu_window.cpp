#include "hooklib/buddylist/quick_menu_window.h"

#include "common/unique_handle.h"
#include "hooklib/core/private_codes.h"
#include "hooklib/core/process_state.h"

namespace corvane {
namespace {

// Popup menu item ids, by position.
constexpr UINT kItemClone = 1;
constexpr UINT kItemHistory = 2;
constexpr UINT kItemPreferences = 3;

char g_toolText[] = "Corvane";  // the control copies it at TTM_ADDTOOL

HICON LoadButtonIcon(int id) {
  return static_cast<HICON>(LoadImageA(Process().module, MAKEINTRESOURCEA(id), IMAGE_ICON,
                                       kQuickMenuButtonSize, kQuickMenuButtonSize, 0));
}

HICON IconFor(const BuddyListWindowState& state) {
  switch (QuickMenuIcon(state.button)) {
    case kQuickMenuIconPressed:
      return state.pressedIcon.Get();
    case kQuickMenuIconHover:
      return state.hoverIcon.Get();
    default:
      return state.normalIcon.Get();
  }
}

void RedrawButton(HWND window, int anchorX, int anchorY) {
  const RECT square{anchorX, anchorY, anchorX + kQuickMenuButtonSize,
                    anchorY + kQuickMenuButtonSize};
  InvalidateRect(window, &square, FALSE);
  UpdateWindow(window);
}

UINT CommandForItem(UINT item) {
  switch (item) {
    case kItemClone:
      return CMD_LAUNCH_CLONE;
    case kItemHistory:
      return CMD_HISTORY_VIEWER;
    case kItemPreferences:
      return CMD_PREFERENCES;
    default:
      return 0;
  }
}

// The menu opens where the click was, in screen coordinates.
void ShowQuickMenu(HWND window, int x, int y) {
  const OwnedMenu menu(CreatePopupMenu());
  if (!menu) return;
  AppendMenuA(menu.Get(), MF_STRING, kItemClone, "Corvane Clone");
  AppendMenuA(menu.Get(), MF_STRING, kItemHistory, "Corvane History");
  AppendMenuA(menu.Get(), MF_STRING, kItemPreferences, "Corvane Preferences");
  RECT frame{};
  GetWindowRect(window, &frame);
  const UINT item = static_cast<UINT>(
      TrackPopupMenu(menu.Get(), TPM_RETURNCMD, frame.left + x, frame.top + y, 0, window, nullptr));
  const UINT command = CommandForItem(item);
  if (command != 0) SendMessageA(window, WM_SYSCOMMAND, command, 0);
}

void RequestMouseLeave(HWND window) {
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window;
  TrackMouseEvent(&track);
}

void Apply(HWND window, const QuickMenuReaction& reaction, int anchorX, int anchorY) {
  if (reaction.capture) SetCapture(window);
  // Another window may have the mouse by now; it keeps it.
  if (reaction.release && GetCapture() == window) ReleaseCapture();
  if (reaction.redraw) RedrawButton(window, anchorX, anchorY);
}

QuickMenuReaction React(UINT message, QuickMenuButton& button, bool inHitArea) {
  switch (message) {
    case WM_MOUSEMOVE:
      return OnQuickMenuMouseMove(button, inHitArea);
    case WM_LBUTTONDOWN:
      return OnQuickMenuButtonDown(button, inHitArea);
    case WM_LBUTTONUP:
      return OnQuickMenuButtonUp(button, inHitArea);
    case WM_MOUSELEAVE:
      return OnQuickMenuMouseLeave(button, inHitArea);
    default:
      return {};
  }
}

}  // namespace

void LoadQuickMenuIcons(BuddyListWindowState& state) {
  state.pressedIcon.Reset(LoadButtonIcon(kQuickMenuIconPressed));
  state.hoverIcon.Reset(LoadButtonIcon(kQuickMenuIconHover));
  state.normalIcon.Reset(LoadButtonIcon(kQuickMenuIconNormal));
}

void DestroyQuickMenuIcons(BuddyListWindowState& state) {
  state.pressedIcon.Reset();
  state.hoverIcon.Reset();
  state.normalIcon.Reset();
}

void CreateQuickMenuTooltip(HWND window, BuddyListWindowState& state) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = 0xFF;
  InitCommonControlsEx(&controls);
  state.tooltip =
      CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                      WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, Process().module, nullptr);
  if (state.tooltip == nullptr) return;
  SetWindowPos(state.tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  state.tool = {};
  // The size every common-controls version accepts.
  state.tool.cbSize = TTTOOLINFOA_V2_SIZE;
  state.tool.uFlags = TTF_SUBCLASS;
  state.tool.hwnd = window;
  state.tool.uId = 0;
  state.tool.rect = {0, 0, kQuickMenuButtonSize, kQuickMenuButtonSize};
  state.tool.lpszText = g_toolText;
  SendMessageA(state.tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&state.tool));
  SendMessageA(state.tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, 0);
  SendMessageA(state.tooltip, TTM_SETDELAYTIME, TTDT_RESHOW, 0);
}

void PaintQuickMenuButton(HDC dc, BuddyListWindowState& state, int anchorX, int anchorY) {
  const HICON icon = IconFor(state);
  if (icon != nullptr) DrawIcon(dc, anchorX, anchorY, icon);
  if (state.tooltip == nullptr) return;
  state.tool.rect = {anchorX + 3, anchorY + 7, anchorX + 21, anchorY + 24};
  SendMessageA(state.tooltip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&state.tool));
}

bool OnQuickMenuMouse(HWND window, UINT message, LPARAM lParam, BuddyListWindowState& state,
                      int anchorX, int anchorY) {
  const int x = LOWORD(lParam);
  const int y = HIWORD(lParam);
  if (message == WM_MOUSEMOVE) RequestMouseLeave(window);
  const QuickMenuReaction reaction =
      React(message, state.button, InQuickMenuHitArea(anchorX, anchorY, x, y));
  Apply(window, reaction, anchorX, anchorY);
  if (reaction.showMenu) ShowQuickMenu(window, x, y);
  return reaction.swallow;
}

void LetGoOfQuickMenuButton(HWND window, BuddyListWindowState& state, int anchorX, int anchorY) {
  Apply(window, OnQuickMenuCaptureLost(state.button), anchorX, anchorY);
}

}  // namespace corvane
