// The host's promotional pop-ups: the Today window (`AIM_AimTodayWnd`) and
// the mini-browser (`_aim_MiniBrowserClass`).  The hook may refuse them.
#pragma once

#include <windows.h>

namespace testhost {

enum class PopupKind { kToday, kMiniBrowser };

void RegisterPopupClasses();
// Tries to create the pop-up and reports `popup class=C created=0|1`.
HWND OpenPopup(PopupKind kind);
void ClosePopups();

}  // namespace testhost
