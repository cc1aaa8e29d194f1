// The host's hidden `_Oscar_StatusNotify` window, which outside programs
// send message 4024; every such message is reported.
#pragma once

#include <windows.h>

namespace testhost {

constexpr UINT kStatusNotifyMessage = 4024;

void RegisterStatusNotifyClass();
HWND CreateStatusNotifyWindow();

}  // namespace testhost
