// What the library does in every IM and chat window before the host sees a
// message: session records, the history poll, the length limit, the added
// menu, its commands and transparency.  It never consumes a message.
#pragma once

#include <windows.h>

namespace corvane {

// Longest conversation, in characters before "</HTML>", kept in one window.
inline constexpr int SESSION_TEXT_LIMIT = 57000;

// The user's clear: everything `window` shows is written into its block,
// then `cleared` (its text control) is emptied and a new block begins.
// False, with nothing cleared, when the text could not be written.
bool ClearAfterWriting(HWND window, HWND cleared);

void HandleConversationMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace corvane
