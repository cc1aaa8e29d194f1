// What the library keeps once per process for every part of it: its module
// and the host procedures its subclasses replaced.  Each feature keeps its
// own per-process state beside its code.
#pragma once

#include <windows.h>

#include "hooklib/core/subclass_rows.h"

namespace corvane {

struct ProcessState {
  HINSTANCE module = nullptr;  // the hook library; its resources load from it
  WNDPROC savedProc[kRowCount] = {};
};

ProcessState& Process();

// Passes a message to the host procedure that `row`'s subclass replaced.
LRESULT CallSavedProc(SubclassRow row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace corvane
