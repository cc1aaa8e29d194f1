#include "child_procs.h"

#include "process_state.h"

namespace corvane {

// The compacted layout comes with the Buddy List work; until then every
// child keeps the host's behaviour.
LRESULT CALLBACK ButtonRowEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallSavedProc(kRowButtonRowEdit, window, message, wParam, lParam);
}

LRESULT CALLBACK BuddyListAteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallSavedProc(kRowBuddyListAte, window, message, wParam, lParam);
}

LRESULT CALLBACK AdPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallSavedProc(kRowAdPane, window, message, wParam, lParam);
}

LRESULT CALLBACK TabGroupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallSavedProc(kRowTabGroup, window, message, wParam, lParam);
}

LRESULT CALLBACK GeneralButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallSavedProc(kRowGeneralButton, window, message, wParam, lParam);
}

LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallSavedProc(kRowStatic, window, message, wParam, lParam);
}

LRESULT CALLBACK SeparatorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallSavedProc(kRowSeparator, window, message, wParam, lParam);
}

LRESULT CALLBACK BuddyTreeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallSavedProc(kRowBuddyTree, window, message, wParam, lParam);
}

LRESULT CALLBACK ListButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallSavedProc(kRowListButton, window, message, wParam, lParam);
}

}  // namespace corvane
