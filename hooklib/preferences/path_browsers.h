// The two browse buttons of the preferences dialog: the shell's folder
// browser for the history folder and the open-file dialog for the host.
#pragma once

#include <windows.h>

namespace corvane {

// A chosen folder replaces the text of `edit`; a cancelled browser leaves it.
void BrowseForHistoryFolder(HWND dialog, int edit);
// Starts in the folder that `edit` names; a confirmed file replaces its text.
void BrowseForHostExecutable(HWND dialog, int edit);

}  // namespace corvane
