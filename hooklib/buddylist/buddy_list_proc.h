// Subclass procedure of the host's Buddy List window.
#pragma once

#include <windows.h>

namespace corvane {

// The host's command that asks for its Today window.
inline constexpr WPARAM kHostCmdAimToday = 1140;

LRESULT CALLBACK BuddyListWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace corvane
