// The host's rich-text controls: the frame `WndAte32Class` and the text
// control `Ate32Class` inside it.  A frame shows one and the same text as its
// control: it answers WM_GETTEXT, WM_GETTEXTLENGTH and WM_SETTEXT with the
// control's text.  A frame without a control (the Buddy List's advertising
// panes) keeps its own text.
#pragma once

#include <windows.h>

namespace testhost {

// The host's command to its text control that clears the conversation.
constexpr WORD kHostClearCommand = 20731;
// Style bit of an Ate32Class the user types into; Enter sends WM_COMMAND
// kSendCommand to the conversation window.
constexpr DWORD kAteEditable = 0x0001;
constexpr WORD kSendCommand = 501;

void RegisterTextControlClasses();

// A frame with its text control, as children of parent; returns the frame.
HWND CreateTextFrame(HWND parent, int id, DWORD controlStyle);
HWND TextControlOf(HWND frame);

// Paints the window's text (HTML) as readable lines, the last ones at the
// bottom.
void PaintHtmlText(HWND window);

}  // namespace testhost
