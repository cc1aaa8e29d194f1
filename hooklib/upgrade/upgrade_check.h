// The version check on a thread of its own: asks the update server, shows
// the upgrade monitor dialog for a differing version, records the result and
// saves the settings.
#pragma once

#include <windows.h>

namespace corvane {

enum UpgradeCheckKind : int { kAutomaticCheck = 0, kCheckAskedByUser = 1 };

// Thread procedure; the parameter is an UpgradeCheckKind.
DWORD WINAPI UpgradeCheckThread(LPVOID kind);

// Starts UpgradeCheckThread on a new thread that nobody waits for.
void StartUpgradeCheck(UpgradeCheckKind kind);

// The upgrade monitor dialog presents one version reply and lets the user
// choose when to be reminded again.  Dialog procedure of template 107; the initialisation parameter
// is the whole reply text (const char*).  Ends with IDOK for "Download Now!" and IDCANCEL
// otherwise.  Close stores the reminder choice in CheckVersion.
INT_PTR CALLBACK UpgradeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace corvane
