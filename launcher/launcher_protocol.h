// Names and message numbers by which launcher processes find and talk to
// each other.  End-to-end tests drive the running launcher with these too.
#pragma once

namespace corvane {

inline constexpr char kHookLibraryFileName[] = "Corvane.dll";

// Exists while a launcher has the hook installed.
inline constexpr char kLauncherInstanceMutex[] = "CorvaneLauncherInstance";

// The running launcher's hidden top-level window, which owns the tray icon.
inline constexpr char kLauncherWindowClass[] = "CorvaneLauncherWnd";
inline constexpr char kLauncherWindowTitle[] = "Corvane";

// WM_CLOSE to this window asks the launcher to quit as Exit does: it removes
// the hook and ends, leaving the messengers running.  The setup program and
// the uninstaller send it before they replace or remove the library.

// Private messages of the launcher window (WM_APP is 0x8000).
enum LauncherMessage : unsigned {
  // wParam: id of a host process that a "-clone" start began.  The result
  // is 1 when the running launcher now waits for that host as well.
  kMsgAdoptHost = 0x8001,
  // A plain second start asks the running launcher to show itself.
  kMsgShowRunning = 0x8002,
  // Mouse notifications of the tray icon.
  kMsgTrayIcon = 0x8003,
};

// WM_COMMAND ids of the tray menu; the launcher window obeys them from anyone.
enum LauncherCommand : unsigned {
  kCommandPreferences = 10,
  kCommandStartAnotherHost = 40,
  kCommandExit = 90,
};

}  // namespace corvane
