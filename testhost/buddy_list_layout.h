// Where the host puts the Buddy List's children.  Every child is placed with
// SetWindowPos on each WM_SIZE, so each placement reaches the child as
// WM_WINDOWPOSCHANGING, as in the host.
#pragma once

#include <windows.h>

namespace testhost {

// Control ids of the Buddy List's direct children and of the tab group's.
enum BuddyListChildId : int {
  kIdStatic = 100,
  kIdAdPane,
  kIdAdText,
  kIdSeparator,
  kIdTabGroup,
  kIdSearchEdit,
  kIdTickerLeft,
  kIdTickerPane,
  kIdTickerRight,
  kIdGeneralButton = 110,  // kGeneralButtonCount consecutive ids
  kIdTree = 130,
  kIdListButton = 140,     // kListButtonCount consecutive ids
};
constexpr int kGeneralButtonCount = 4;
constexpr int kListButtonCount = 3;
constexpr int kTickerHeight = 16;

void LayOutBuddyList(HWND buddyList);
void LayOutTabGroup(HWND tabGroup);

}  // namespace testhost
