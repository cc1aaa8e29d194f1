// Turns a conversation window's whole HTML into its session block.
#pragma once

#include <windows.h>

#include "hooklib/history/day_file_write.h"

namespace corvane {

// Reads the conversation control of `window`, rewrites its text and writes
// it as the block of `sessionKey`; `mark` is what the session's last write
// left in its day file.  `userName` (kNameCapacity characters) may take an
// existing folder's exact name.  False only when the write failed; without
// a buddy name in the title nothing is written.  Out of memory it throws,
// having written nothing.
bool CaptureConversation(char* userName, const char* sessionKey, HWND window, DayFileMark& mark);

// The conversation control: the window's first WndAte32Class child.
HWND FindConversationControl(HWND window);

// The buddy or room name of a conversation window's title, into a
// kNameCapacity buffer; false (and `out` empty) when the title is empty.
bool TitleToBuddyName(HWND window, char* out);

}  // namespace corvane
