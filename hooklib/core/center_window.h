// Centres a top-level window on the desktop; both of the library's own
// dialogs open this way.
#pragma once

#include <windows.h>

namespace corvane {

// Keeps the window's size and puts it on top of the window order.
void CenterWindow(HWND window);

}  // namespace corvane
