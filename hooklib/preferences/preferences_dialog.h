// The preferences dialog (template 101): edits every setting, previews the
// display options live in all host processes, saves after OK.  One dialog at
// a time across processes, found by its title.  The export DoPrefDlg runs
// it.
#pragma once

#include <windows.h>

#include "hooklib/settings/broadcasts.h"

// The export that runs the dialog: 1 after OK.
extern "C" int __cdecl DoPrefDlg();

namespace corvane {

// Answers every message with 0, so the default dialog handling always runs
// and no control takes the focus when the dialog opens.
INT_PTR CALLBACK PrefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace corvane
