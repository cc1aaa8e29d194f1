#include "conversation_procs.h"

#include "process_state.h"

namespace corvane {

// Session recording, the added menu and the confirmed clear come with the
// history log; until then these windows behave exactly as the host's.
LRESULT CALLBACK IMWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallSavedProc(kRowIMWindow, window, message, wParam, lParam);
}

LRESULT CALLBACK ChatWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallSavedProc(kRowChatWindow, window, message, wParam, lParam);
}

LRESULT CALLBACK IMTextControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallSavedProc(kRowIMTextControl, window, message, wParam, lParam);
}

LRESULT CALLBACK IMTextFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallSavedProc(kRowIMTextFrame, window, message, wParam, lParam);
}

}  // namespace corvane
