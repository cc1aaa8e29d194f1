// The HTML view's text as the day holds it where a page holds breaks the day
// does not (see PageBreaks): what a copy puts on the clipboard and what
// WM_GETTEXT answers.
#pragma once

#include <windows.h>

#include "viewer/html/html_view_state.h"

namespace corvane {

// Puts the page's selection on the clipboard as plain text, without the
// page's breaks; false (and nothing done) when the selection holds no break,
// so that the page copies it as it always does, formatting and all.
bool CopyWithoutBreaks(HWND page, const HtmlViewState& state);

// Answers WM_GETTEXT or WM_GETTEXTLENGTH for the page in sight with its
// text without breaks, paragraphs ending in "\r\n" as the page's own answer
// has them; false when the page holds no break and can answer itself.
bool AnswerTextWithoutBreaks(const HtmlViewState& state, UINT message, WPARAM wParam, LPARAM lParam,
                             LRESULT& result);

}  // namespace corvane
