// The page of the HTML view: a read-only RichEdit child that shows one
// document.  Wine's RichEdit slows down for good once it has held and
// cleared a large document, so each document gets a fresh page; dropping
// the old one costs little.
#pragma once

#include <windows.h>

namespace corvane {

// Loads the RichEdit library; false when it is missing.
bool LoadRichEdit();

// A new page filling the view's client area, hidden until the caller shows
// it; null on failure.  Its procedure is page_proc, which passes what it does
// not handle on through CallPageDefault.
HWND CreatePage(HWND view, WNDPROC page_proc);
LRESULT CallPageDefault(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace corvane
