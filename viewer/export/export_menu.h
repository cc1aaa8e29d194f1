// The system-menu items that open the export window and Delete Old Days.
#pragma once

#include <windows.h>

namespace corvane {

// "&Export History..." with `exportCommand` and "&Delete Old Days..." with
// `deleteCommand`, put into the window's system menu right after the item
// with `after` (before its Close item when it has no such item).
void AddExportMenuItems(HWND window, UINT after, UINT exportCommand, UINT deleteCommand);

}  // namespace corvane
