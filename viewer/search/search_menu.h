// The system-menu item that opens the search window.
#pragma once

#include <windows.h>

namespace corvane {

// "&Search History...\tCtrl+F" with `command`, put into the window's system
// menu just before its Close item (at the end when it has none).
void AddSearchMenuItem(HWND window, UINT command);

}  // namespace corvane
