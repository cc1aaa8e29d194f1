#include "hooklib/core/window_subclass.h"

#include <array>
#include <cstdio>

#include "hooklib/core/process_state.h"

namespace corvane {
namespace {

// A window property per row.
const char* SavedProcProperty(SubclassRow row) {
  static const std::array<std::string, kRowCount> kNames = [] {
    std::array<std::string, kRowCount> made;
    for (int i = 0; i < kRowCount; ++i) {
      made[i] = OwnPropertyName("saved procedure", &Process().savedProc[i]);
    }
    return made;
  }();
  return kNames[row].c_str();
}

}  // namespace

std::string OwnPropertyName(const char* what, const void* ofThisCopy) {
  char name[64];
  std::snprintf(name, sizeof name, "Corvane %s %p", what, ofThisCopy);
  return name;
}

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
