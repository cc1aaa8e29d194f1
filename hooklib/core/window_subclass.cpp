#include "hooklib/core/window_subclass.h"

#include <cstdio>

#include "hooklib/core/process_state.h"

namespace corvane {
namespace {

// A window property per row, named for this copy of the library: where two
// copies are hooked into one process (two installs, each launcher running),
// each subclasses the window and must find its own.
struct PropertyNames {
  char ofRow[kRowCount][48];
};

const char* SavedProcProperty(SubclassRow row) {
  static const PropertyNames kNames = [] {
    PropertyNames made{};
    for (int i = 0; i < kRowCount; ++i) {
      std::snprintf(made.ofRow[i], sizeof made.ofRow[i], "Corvane saved procedure %p",
                    static_cast<void*>(&Process().savedProc[i]));
    }
    return made;
  }();
  return kNames.ofRow[row];
}

}  // namespace

bool SubclassWindow(HWND window, SubclassRow row, WNDPROC procedure) {
  const LONG_PTR replaced =
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
  if (replaced == 0) return false;
  if (!SetPropA(window, SavedProcProperty(row), reinterpret_cast<HANDLE>(replaced))) {
    SetWindowLongPtrA(window, GWLP_WNDPROC, replaced);
    return false;
  }
  Process().savedProc[row] = reinterpret_cast<WNDPROC>(replaced);
  return true;
}

// A window without its own saved procedure (none should reach here) gets
// the row's.
LRESULT CallSavedProc(SubclassRow row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const char* property = SavedProcProperty(row);
  WNDPROC saved = reinterpret_cast<WNDPROC>(GetPropA(window, property));
  if (message == WM_NCDESTROY) RemovePropA(window, property);
  if (saved == nullptr) saved = Process().savedProc[row];
  if (saved == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return CallWindowProcA(saved, window, message, wParam, lParam);
}

}  // namespace corvane
