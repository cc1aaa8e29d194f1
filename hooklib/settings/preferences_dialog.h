// The preferences dialog (template 101): edits every setting, previews the
// display options live in all host processes, saves after OK.  One dialog at
// a time across processes, found by its title.  The export DoPrefDlg
// (exports.h) runs it.
#pragma once

#include <windows.h>

namespace corvane {

inline constexpr char kPreferencesTitle[] = "Corvane Preferences";

// Answers every message with 0, so the default dialog handling always runs
// and no control takes the focus when the dialog opens.
INT_PTR CALLBACK PrefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The upgrade dialog stored a reminder choice in CheckVersion: an open
// preferences dialog, in whatever process, shows it in its own reminder
// list, so that its OK keeps the choice instead of writing an older one.
void AnnounceStoredReminderChoice();

}  // namespace corvane
