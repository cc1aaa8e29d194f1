#include "hooklib/settings/broadcasts.h"

#include <windows.h>

#include <new>
#include <vector>

#include "hooklib/core/private_codes.h"

namespace corvane {
namespace {

// Each search starts after the window found before.  All windows are found
// before the first send: a receiver that changes its layered style may be
// moved in the window order (seen under Wine), and a walk interleaved with
// the sends would then reach it twice or pass over another window.
void SendToEveryTopLevel(const char* windowClass, WPARAM command) {
  std::vector<HWND> windows;
  try {
    for (HWND window = FindWindowExA(nullptr, nullptr, windowClass, nullptr); window != nullptr;
         window = FindWindowExA(nullptr, window, windowClass, nullptr)) {
      windows.push_back(window);
    }
  } catch (const std::bad_alloc&) {
    // Out of memory: the windows found so far still hear of the change.
  }
  for (HWND window : windows) SendMessageA(window, WM_SYSCOMMAND, command, 0);
}

}  // namespace

void BroadcastRelayout() { SendToEveryTopLevel("_Oscar_BuddyListWin", CMD_RELAYOUT); }

void BroadcastApplyAlpha() {
  SendToEveryTopLevel("_Oscar_BuddyListWin", CMD_APPLY_ALPHA);
  SendToEveryTopLevel("AIM_IMessage", CMD_APPLY_ALPHA);
  SendToEveryTopLevel("AIM_ChatWnd", CMD_APPLY_ALPHA);
}

// Posted, not sent: the upgrade dialog's thread never waits for another
// process's dialog.
void AnnounceStoredReminderChoice() {
  if (HWND open = FindWindowA("#32770", kPreferencesTitle)) {
    PostMessageA(open, kMsgReminderStored, 0, 0);
  }
}

}  // namespace corvane
