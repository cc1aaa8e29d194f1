// What the library keeps once per process for every part of it: its module
// and, per subclass row, the host procedure its latest subclass replaced
// (each window's own is kept on the window, window_subclass.h), and the
// signed-on user and the history mutex that several features share.  Each
// feature keeps its own per-process state beside its code.
#pragma once

#include <windows.h>

#include "common/capacities.h"
#include "common/unique_handle.h"
#include "hooklib/core/subclass_rows.h"

namespace corvane {

struct ProcessState {
  HINSTANCE module = nullptr;  // the hook library; its resources load from it
  WNDPROC savedProc[kRowCount] = {};
};

ProcessState& Process();

// `ScreenName`: the signed-on user of this process, taken from the Buddy
// List's title.  The Buddy List writes it; conversations name their user
// folder after it and the History commands hand it to the viewer.
using ScreenNameText = char[kNameCapacity];

// Empty until a Buddy List shows a signed-on title.
ScreenNameText& ScreenName();

// `HistoryMutex`: this process's handle of the named mutex
// "MutexToProtectHistoryFiles", which only the process that called _Init@4
// (the launcher) holds; the history poll waits on it when it is there.
inline constexpr char kHistoryMutexName[] = "MutexToProtectHistoryFiles";

// None where _Init@4 never ran.
KernelHandle& HistoryMutex();

}  // namespace corvane
