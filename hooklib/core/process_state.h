// State that each process mapping the hook library has its own copy of.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/capacities.h"
#include "hooklib/core/subclass_rows.h"

namespace corvane {

struct ProcessState {
  HINSTANCE module = nullptr;   // the hook library; its resources load from it
  bool settingsUnbound = true;  // RegisterSettings not yet run here
  WNDPROC savedProc[kRowCount] = {};
  bool aimTodayAsked = false;           // command 1140 reached the Buddy List
  bool buddyListCreated = false;        // buddyListCreatedAt is set
  uint64_t buddyListCreatedAt = 0;      // FILETIME units, UTC
  HANDLE historyMutex = nullptr;        // only in the process that called _Init@4
  bool keptLoaded = false;              // the library holds a reference to itself
  char screenName[kNameCapacity] = {};  // signed-on user, from the Buddy List title
  BYTE buddyListFadeLevel = 0;          // the Buddy List's opacity while it fades down
  BYTE conversationFadeLevel = 0;       // shared by all conversation windows while they fade
  int anchorX = 103, anchorY = 0;       // top-left of the Buddy List's quick-menu button
};

ProcessState& Process();

// Passes a message to the host procedure that `row`'s subclass replaced.
LRESULT CallSavedProc(SubclassRow row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace corvane
