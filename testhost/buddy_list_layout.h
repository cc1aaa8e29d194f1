// Where the host puts the Buddy List's children.  Every child is placed with
// SetWindowPos on each WM_SIZE, so each placement reaches the child as
// WM_WINDOWPOSCHANGING, as in the host.
#pragma once

#include <windows.h>

#include "testhost/buddy_list_placement.h"

namespace testhost {

void LayOutBuddyList(HWND buddyList);
void LayOutTabGroup(HWND tabGroup);

}  // namespace testhost
