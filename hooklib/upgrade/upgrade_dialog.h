// The upgrade monitor dialog: presents one version reply and lets the user
// choose when to be reminded again.
#pragma once

#include <windows.h>

namespace corvane {

// Dialog procedure of template 107; the initialisation parameter is the
// whole reply text (const char*).  Ends with IDOK for "Download Now!" and
// IDCANCEL otherwise.  Close stores the reminder choice in CheckVersion.
INT_PTR CALLBACK UpgradeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace corvane
