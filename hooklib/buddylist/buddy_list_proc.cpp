#include "buddy_list_proc.h"

#include "process_state.h"
#include "system_clock.h"

namespace corvane {

// Records the two facts the pop-up rules need: when this Buddy List was
// created, and that the user asked the host for its Today window.
LRESULT CALLBACK BuddyListWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ProcessState& process = Process();
  switch (message) {
    case WM_CREATE:
      process.buddyListCreatedAt = SystemTimeNow();
      process.buddyListCreated = true;
      break;
    case WM_DESTROY:
      process.buddyListCreated = false;
      break;
    case WM_COMMAND:
      if (wParam == kHostCmdAimToday) process.aimTodayAsked = true;
      break;
  }
  return CallSavedProc(kRowBuddyList, window, message, wParam, lParam);
}

}  // namespace corvane
