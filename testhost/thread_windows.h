// The host's windows as a whole: the census of the `windows` command and
// the end of the program.
#pragma once

#include <windows.h>

#include <vector>

namespace testhost {

// Top-level windows of this thread of the given host class.
std::vector<HWND> HostTopLevelWindows(const char* className);
// One `window` report line for every window of this thread, children after
// their top-level window.
void ReportThreadWindows();
// Destroys every host window, so that subclasses see WM_DESTROY.
void DestroyHostWindows();
// Destroys every host window and ends the message loop with exit code 0.
void QuitHost();

}  // namespace testhost
