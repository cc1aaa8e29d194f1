// What the Buddy List subclass keeps about the current Buddy List window of
// this process.  One Buddy List per process at a time; each WM_CREATE starts
// it afresh.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "common/unique_handle.h"
#include "hooklib/buddylist/quick_menu_button.h"
#include "hooklib/buddylist/relayout.h"

namespace corvane {

struct BuddyListWindowState {
  QuickMenuButton button;
  OwnedIcon normalIcon;
  OwnedIcon hoverIcon;
  OwnedIcon pressedIcon;
  HWND tooltip = nullptr;
  TOOLINFOA tool = {};  // the tooltip's one tool, kept to move its rectangle
  bool tooltipCreated = false;
  bool firstPaint = true;
  bool menuBarShown = true;  // the host's menu bar is attached now
  HMENU savedMenuBar = nullptr;
  HMENU systemMenu = nullptr;
  bool checkStarted = false;  // the automatic version check ran for this window
  RelayoutEcho relayoutEcho;
  int anchorX = 103, anchorY = 0;  // top-left of the quick-menu button; the child layout moves it
};

BuddyListWindowState& BuddyListWindow();

}  // namespace corvane
