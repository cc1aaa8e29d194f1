// What the library does in every IM and chat window before the host sees a
// message: session records, the history poll, the length limit, the added
// menu, its commands and transparency.  It never consumes a message.
#pragma once

#include <windows.h>

namespace corvane {

// Longest conversation, in characters before "</HTML>", kept in one window.
inline constexpr int SESSION_TEXT_LIMIT = 57000;

void HandleConversationMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace corvane
