// The HTML view's text as the day holds it where a page shows it otherwise,
// with breaks the day does not hold or line ends as line breaks inside a
// paragraph (see PageBreaks): what a copy puts on the clipboard and what
// WM_GETTEXT and EM_GETLINE answer.
#pragma once

#include <windows.h>

#include "viewer/html/html_view_state.h"

namespace corvane {

// Puts the page's selection on the clipboard as plain text, without the
// page's breaks; false (and nothing done) when the selection holds no break,
// so that the page copies it as it always does, formatting and all.
bool CopyWithoutBreaks(HWND page, const HtmlViewState& state);

// Answers WM_GETTEXT or WM_GETTEXTLENGTH for the page in sight with its
// text without breaks, lines ending in "\r\n" as the page's own answer has
// them, and EM_GETLINE with the line's text ending in "\r" as the page's own
// answer has it; false when the page shows the text as it is and can answer
// itself.
bool AnswerTextWithoutBreaks(const HtmlViewState& state, UINT message, WPARAM wParam, LPARAM lParam,
                             LRESULT& result);

}  // namespace corvane
