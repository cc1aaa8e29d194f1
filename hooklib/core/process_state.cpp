#include "hooklib/core/process_state.h"

namespace corvane {

ProcessState& Process() {
  static ProcessState state;
  return state;
}

LRESULT CallSavedProc(SubclassRow row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC saved = Process().savedProc[row];
  if (saved == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return CallWindowProcA(saved, window, message, wParam, lParam);
}

}  // namespace corvane
