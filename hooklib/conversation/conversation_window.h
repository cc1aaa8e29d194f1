// IM and chat windows: their subclass procedures (conversation_procs.cpp),
// and what the library does in every such window before the host sees a
// message (conversation_window.cpp): session records, the history poll, the
// length limit, the added menu, its commands and transparency.  The latter
// never consumes a message.
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

// Subclass procedures of the host's conversation windows and their text
// controls.
LRESULT CALLBACK IMWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ChatWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK IMTextControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK IMTextFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace corvane
