// What the running launcher does on request: through its tray menu, its
// window messages, or a "-clone" start handing it a host; and its hidden
// window with the tray icon and the menu Preferences..., Start another
// messenger, Exit (launcher_window.cpp).
#pragma once

#include <windows.h>

#include "launcher/hook_library.h"
#include "launcher/host_processes.h"

namespace corvane {

struct LauncherSession {
  const HookLibrary& hooks;
  HostProcessSet& hosts;
  bool preferencesOpen = false;
  // Exit from the tray menu or WM_CLOSE: unhook now, leave the hosts running.
  bool exitRequested = false;
};

// The library's modal preferences dialog, once at a time.
void OpenPreferences(LauncherSession& session);

// One more host, when cloning is allowed.
void StartAnotherHost(LauncherSession& session);

// Waits for a host that a "-clone" start began; false when it cannot.
bool AdoptHost(LauncherSession& session, DWORD processId);

void ShowAlreadyRunning();

// The launcher's window lets later starts find the launcher; it is never shown.
// Null when it cannot be made.  Destroying it removes the tray icon.
// Exit and WM_CLOSE set the session's exitRequested and leave the rest to
// the caller.
HWND CreateLauncherWindow(HINSTANCE instance, LauncherSession* session);

}  // namespace corvane
