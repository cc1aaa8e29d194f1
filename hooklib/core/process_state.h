// What the library keeps once per process for every part of it: its module
// and, per subclass row, the host procedure its latest subclass replaced
// (each window's own is kept on the window, window_subclass.h).  Each
// feature keeps its own per-process state beside its code.
#pragma once

#include <windows.h>

#include "hooklib/core/subclass_rows.h"

namespace corvane {

struct ProcessState {
  HINSTANCE module = nullptr;  // the hook library; its resources load from it
  WNDPROC savedProc[kRowCount] = {};
};

ProcessState& Process();

}  // namespace corvane
