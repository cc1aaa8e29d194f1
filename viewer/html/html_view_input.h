// What the HTML view does with the reader's keys and mouse: End scrolls to
// the end of the document, a click on a link opens it, Tab, Enter and Escape
// stay the dialog's.
#pragma once

#include <windows.h>

#include "viewer/html/html_view_state.h"

namespace corvane {

// The subclass procedure of every page of the view.
LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The End key: the caret at the document's end, its last line in sight.
void ScrollViewToEnd(HWND view, HtmlViewState& state);

}  // namespace corvane
