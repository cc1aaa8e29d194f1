// Subclassing one of the host's windows.  Each window keeps the procedure
// its subclass replaced: another add-on may have given one window of a
// class a procedure of its own before us, and that window's messages must
// go down its own chain, not another window's.
#pragma once

#include <windows.h>

#include <string>

#include "hooklib/core/subclass_rows.h"

namespace corvane {

// Puts `procedure` on the window for `row`, keeping the one it replaced on
// the window and in the row's slot.  False when the window keeps its own.
bool SubclassWindow(HWND window, SubclassRow row, WNDPROC procedure);

// The name of a window property holding `what` for this copy of the library
// (`ofThisCopy` is one of its own statics): where two copies are hooked into
// one process (two installs, each launcher running), each finds its own.
std::string OwnPropertyName(const char* what, const void* ofThisCopy);

// Passes a message to the procedure that `row`'s subclass replaced on this
// window; at WM_NCDESTROY, the window's last message, it lets go of it.
LRESULT CallSavedProc(SubclassRow row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace corvane
