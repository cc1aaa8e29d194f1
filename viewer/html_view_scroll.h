// Where the HTML view is scrolled to, in the terms the viewer cares about:
// the top, the end (where the newest lines are), or a reader's place.
#pragma once

#include <windows.h>

namespace corvane {

// True when the document's last line is in sight, which includes a document
// that fits the view.
bool IsScrolledToEnd(HWND view);

// Caret at the end of the document, last line at the bottom of the view.
void ScrollToEnd(HWND view);

// The last line at the bottom of the view; the caret and selection stay.
void ScrollLastLineIntoView(HWND view);

// Caret at the start of the document, first line at the top of the view.
void ScrollToTop(HWND view);

// The reader's place: the scroll position in pixels.
POINT ScrollPosition(HWND view);
void ScrollTo(HWND view, POINT position);

}  // namespace corvane
