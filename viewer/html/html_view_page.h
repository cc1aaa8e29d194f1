// The pages of the HTML view: read-only RichEdit children that each show a
// document or a part of one.  Wine's RichEdit slows down for good once it
// has held and cleared a large document, so each document gets fresh pages;
// dropping an old one costs little.
#pragma once

#include <windows.h>

namespace corvane {

// Loads the RichEdit library; false when it is missing.
bool LoadRichEdit();

// A new page filling the view's client area, hidden until the caller shows
// it; null on failure.  Its procedure is PageProc (html_view_state.h), which
// passes what it does not handle on through CallPageDefault.
HWND CreatePage(HWND view);
LRESULT CallPageDefault(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The characters the page holds, each line end counted once.
LONG PageTextLength(HWND page);

// Drops the page's characters from `from` to its end.
void CutPageEnd(HWND page, LONG from);

// Keeps a page in sight from drawing while it is changed, then draws it once.
// RichEdit scrolls to the selection it is given, which would flash the
// page's end or a mark on the screen before the reader's place is restored.
class PageFreeze {
 public:
  explicit PageFreeze(HWND page);
  ~PageFreeze();
  PageFreeze(const PageFreeze&) = delete;
  PageFreeze& operator=(const PageFreeze&) = delete;

 private:
  HWND page_;
  bool visible_;
};

}  // namespace corvane
