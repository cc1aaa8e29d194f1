// Making the host lay out the Buddy List's children again, and keeping the
// window at its size while a window manager answers the size changes late.
#pragma once

#include <windows.h>

namespace corvane {

// A Buddy List's size as its last relayout left it.  Under Wine with a
// window manager, each SetWindowPos goes to the manager as a request, and the
// answers come back as size changes of their own, later.  When the answer to
// the wider request arrives by itself and anything moves the window before
// the answer to the exact one, that later answer is dropped as stale and the
// window stays one pixel larger.  The echo is recognised and undone.
struct RelayoutEcho {
  bool watching = false;  // the last relayout's echo may still come
  bool settling = false;  // a size set by this code, not an echo
  int width = 0;
  int height = 0;
};

// A size change, even back to the same size, makes the host lay out its
// children again.
void Relayout(HWND window, RelayoutEcho& echo);

// Called for every size change of the window.
void NoticeSizeChange(HWND window, RelayoutEcho& echo);

// The user takes the window's size into their own hands.
void StopWatchingForEcho(RelayoutEcho& echo);

// The message posted to the window to undo an echo outside the window
// manager's own notification, which would not pass a size on to it.
UINT SettleSizeMessage();

// Handles SettleSizeMessage().
void SettleSize(HWND window, RelayoutEcho& echo);

}  // namespace corvane
