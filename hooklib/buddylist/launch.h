// Starts the companion programs through the shell from the launcher's
// folder (CurDir); a failed start asks the user to reinstall.
#pragma once

#include <windows.h>

namespace corvane {

inline constexpr char kLauncherFile[] = "Corvane.exe";
inline constexpr char kHistoryViewerFile[] = "Corvane History Viewer.exe";
inline constexpr char kLaunchErrorCaption[] = "Corvane Error";
inline constexpr char kCloneLaunchError[] =
    "Error launching a clone of Corvane.\n\nPlease re-install Corvane.";
inline constexpr char kHistoryViewerLaunchError[] =
    "Error launching the Corvane History Viewer.\n\nPlease re-install Corvane.";

// Starts a second copy of the host through the launcher.
void LaunchClone();

// Starts the History Viewer with `arguments` (see HistoryViewerArguments);
// a failure box is owned by `owner`.
void LaunchHistoryViewer(HWND owner, const char* arguments);

}  // namespace corvane
