// The viewer's private window messages to its main dialog.
#pragma once

#include <windows.h>

namespace corvane {

enum ViewerMessage : UINT {
  // Posted by the dialog to itself when the view has shown a document.
  WM_HV_START_SCROLL = WM_USER + 1,
  // wParam: the byte total of the history tree (32-bit, wrapped).
  WM_HV_SIZE_TOTAL = WM_USER + 2,
  // Something below the history folder changed.
  WM_HV_FOLDER_CHANGED = WM_USER + 3,
  // A level of the history tree is listed (LevelListing).
  WM_HV_LEVEL_LISTED = WM_USER + 4,
};

}  // namespace corvane
