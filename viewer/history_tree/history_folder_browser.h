// Asking the user for the history folder when the settings name none.
#pragma once

#include <windows.h>

#include <string>

namespace corvane {

// The shell's folder browser, owned by `owner`, titled "Corvane History
// Folder".  The chosen folder's file-system path, or "" when the browser was
// cancelled or the choice has no such path.
std::string BrowseForHistoryFolder(HWND owner);

}  // namespace corvane
