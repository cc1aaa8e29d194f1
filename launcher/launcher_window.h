// The running launcher's hidden window and its tray icon with the menu
// Preferences..., Start another messenger, Exit.
#pragma once

#include <windows.h>

#include "launcher/launcher_session.h"

namespace corvane {

// The window lets later starts find the launcher; it is never shown.
// Null when it cannot be made.  Destroying it removes the tray icon.
// Exit and WM_CLOSE set the session's exitRequested and leave the rest to
// the caller.
HWND CreateLauncherWindow(HINSTANCE instance, LauncherSession* session);

}  // namespace corvane
