// Turns a conversation window's whole HTML into its session block.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "hooklib/history/day_file_write.h"
#include "hooklib/history/write_history.h"

namespace corvane {

// A conversation window as one poll reads it, once.
struct ConversationReading {
  std::string text;                      // the conversation control's, whole
  std::optional<std::string> buddyName;  // of the window's title; none for an empty title
};

// The conversation control: the window's first WndAte32Class child.
HWND FindConversationControl(HWND window);

// Reads the title of `window` and the text of its conversation `control`.
// Out of memory it throws.
ConversationReading ReadConversation(HWND window, HWND control);

// Rewrites the reading's text and writes it as the block of `sessionKey`
// of `userName` into `historyFolder`; `mark` is what the session's last
// write left in its day file.  Nothing is written (and that counts as
// written) without a buddy name or a text.  Out of memory it throws,
// having written nothing.
HistoryWrite CaptureConversation(const char* historyFolder, std::string_view userName,
                                 const char* sessionKey, const ConversationReading& reading,
                                 DayFileMark& mark);

// The buddy or room name of a conversation window's title, into a
// kNameCapacity buffer; false (and `out` empty) when the title is empty.
bool TitleToBuddyName(HWND window, char* out);

}  // namespace corvane
