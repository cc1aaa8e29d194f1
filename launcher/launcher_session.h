// What the running launcher does on request: through its tray menu, its
// window messages, or a "-clone" start handing it a host.
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

}  // namespace corvane
