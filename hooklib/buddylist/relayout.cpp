#include "hooklib/buddylist/relayout.h"

namespace corvane {
namespace {

constexpr UINT kSizeFlags = SWP_NOZORDER | SWP_NOACTIVATE;

SIZE WindowSize(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

// Sizes the window itself, so that its own change is not taken for an echo.
void SetOwnSize(HWND window, RelayoutEcho& echo, int width, int height) {
  RECT frame{};
  GetWindowRect(window, &frame);
  echo.settling = true;
  SetWindowPos(window, nullptr, frame.left, frame.top, width, height, kSizeFlags);
  echo.settling = false;
}

bool IsEcho(SIZE size, const RelayoutEcho& echo) {
  return size.cx == echo.width + 1 && size.cy == echo.height + 1;
}

}  // namespace

// A minimised window is laid out when it is restored; a size given to it now
// would become its restored size.
void Relayout(HWND window, RelayoutEcho& echo) {
  if (IsIconic(window)) return;
  if (IsZoomed(window)) {
    SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    SendMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    return;
  }
  // An echo of the previous relayout not yet undone is not the size to keep.
  const SIZE current = WindowSize(window);
  if (!echo.watching || !IsEcho(current, echo)) {
    echo.width = current.cx;
    echo.height = current.cy;
  }
  echo.watching = true;
  SetOwnSize(window, echo, echo.width + 1, echo.height + 1);
  SetOwnSize(window, echo, echo.width, echo.height);
}

// Any other size ends the watch: the window was sized on purpose.
void NoticeSizeChange(HWND window, RelayoutEcho& echo) {
  if (!echo.watching || echo.settling) return;
  const SIZE size = WindowSize(window);
  if (IsEcho(size, echo)) {
    PostMessageA(window, SettleSizeMessage(), 0, 0);
  } else if (size.cx != echo.width || size.cy != echo.height) {
    echo.watching = false;
  }
}

void StopWatchingForEcho(RelayoutEcho& echo) { echo.watching = false; }

UINT SettleSizeMessage() {
  static const UINT kMessage = RegisterWindowMessageA("Corvane Settle Buddy List Size");
  return kMessage;
}

// Still the echo: the window goes back to the relayout's size.
void SettleSize(HWND window, RelayoutEcho& echo) {
  if (!echo.watching || !IsEcho(WindowSize(window), echo) || IsIconic(window)) return;
  SetOwnSize(window, echo, echo.width, echo.height);
}

}  // namespace corvane
