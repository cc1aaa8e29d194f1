// Starts the companion programs through the shell: the programs beside the
// hook library itself, by their full paths, each in its own folder; a failed
// start asks the user to reinstall.
#pragma once

#include <windows.h>

#include "common/launch_failure_texts.h"

namespace corvane {

inline constexpr char kLauncherFile[] = "Corvane.exe";
inline constexpr char kHistoryViewerFile[] = "Corvane History Viewer.exe";
inline constexpr char kLaunchErrorCaption[] = "Corvane Error";

// Starts a second copy of the host through the launcher.
void LaunchClone();

// Starts the History Viewer with `arguments` (see HistoryViewerArguments);
// a failure box is owned by `owner`.
void LaunchHistoryViewer(HWND owner, const char* arguments);

}  // namespace corvane
