// Where a page of the HTML view is scrolled to, in the terms the viewer
// cares about: the end (where the newest lines are), or the line a reader
// has at the top.
#pragma once

#include <windows.h>

namespace corvane {

// True when the page's last line is in sight, which includes a page that
// fits the view.
bool IsScrolledToEnd(HWND page);

// Caret at the end of the page, last line at the bottom of the view.
void ScrollToEnd(HWND page);

// The last line at the bottom of the view; the caret and selection stay.
void ScrollLastLineIntoView(HWND page);

// The line at the top of the sight: the character that begins it and where
// its top is drawn (at or above the view's top edge).
struct PagePlace {
  LONG character = 0;
  LONG top = 0;
};
PagePlace TopOfSight(HWND page);

// Scrolls so that the line holding the character is drawn at that height.
void ScrollToPlace(HWND page, PagePlace place);

// The first character below the sight (the page's length when the last line
// is in sight).
LONG CharacterBelowSight(HWND page);

// Scrolls the line of characters [begin, end) to a third of the view's
// height, unless they are in sight already.
void ScrollIntoSight(HWND page, LONG begin, LONG end);

}  // namespace corvane
