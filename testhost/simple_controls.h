// The host's small painted controls: `_Oscar_IconBtn` (a button that sends
// WM_COMMAND with its id to its parent), `_Oscar_Static`, `_Oscar_Separator`,
// `_Oscar_Tree` (shows its window text, one line per item) and
// `_Oscar_PersistantCombo` (a drop-down look around its `Edit` child); and
// the hidden `_Oscar_StatusNotify` window, which outside programs send
// message 4024, every such message reported.
#pragma once

#include <windows.h>

namespace testhost {

void RegisterSimpleControlClasses();

constexpr UINT kStatusNotifyMessage = 4024;

void RegisterStatusNotifyClass();
HWND CreateStatusNotifyWindow();

}  // namespace testhost
