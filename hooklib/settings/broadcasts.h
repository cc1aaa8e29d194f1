// Live preview: tells every Buddy List, IM and chat window of every host
// process to re-read the shared settings.  Each send waits until the
// receiver, in whatever process, has handled it.
#pragma once

#include <windows.h>

namespace corvane {

// The preferences dialog's title: one dialog at a time across processes,
// found by it.
inline constexpr char kPreferencesTitle[] = "Corvane Preferences";
// Posted to that dialog by AnnounceStoredReminderChoice.
inline constexpr UINT kMsgReminderStored = WM_APP + 1;

// CMD_RELAYOUT to every top-level Buddy List.
void BroadcastRelayout();
// CMD_APPLY_ALPHA to every Buddy List, then every IM window, then every
// chat window.
void BroadcastApplyAlpha();

// The upgrade dialog stored a reminder choice in CheckVersion: an open
// preferences dialog, in whatever process, shows it in its own reminder
// list, so that its OK keeps the choice instead of writing an older one.
void AnnounceStoredReminderChoice();

}  // namespace corvane
