// The Buddy List (`_Oscar_BuddyListWin`) with its menu bar and children, and
// the tab group (`_Oscar_TabGroup`) that holds the buddy tree.
#pragma once

#include <windows.h>

#include <string>

#include "testhost/buddy_list_placement.h"

namespace testhost {

// The host's menu command for its Today window.
constexpr WORD kHostTodayCommand = 1140;

void RegisterBuddyListClasses();

// Creates the Buddy List with this title; NULL when the creation was refused.
HWND SignOn(const std::string& title);
HWND BuddyListWindow();
// The signed-on user's screen name, from the Buddy List's title; empty
// before the first sign-on.
std::string ScreenName();
// When the user works by hand, closing the Buddy List ends the program.
void SetQuitOnBuddyListClose(bool quit);

// Where the host puts the children: every child is placed with SetWindowPos
// on each WM_SIZE, so each placement reaches the child as
// WM_WINDOWPOSCHANGING, as in the host.
void LayOutBuddyList(HWND buddyList);
void LayOutTabGroup(HWND tabGroup);

}  // namespace testhost
