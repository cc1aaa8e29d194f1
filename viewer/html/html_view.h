// The History Viewer's HTML view: shows a history file's HTML as formatted
// text in a read-only RichEdit page, and answers the edit and RichEdit
// messages (WM_GETTEXT, EM_GETLINECOUNT, ...) as that page does.  A long
// document shows its end at once; the rest loads behind it, and until then
// the page answers for the part it holds.  It never runs script and opens
// only http, https and mailto links, through the shell.
#pragma once

#include <windows.h>

#include <string>

#include "viewer/html/text_find.h"

namespace corvane {

inline constexpr char kHtmlViewClass[] = "CorvaneHtmlView";

// Registers the window class so dialog templates can hold the control
// (CONTROL "",IDC_HTML_VIEW,"CorvaneHtmlView",WS_CHILD|WS_VISIBLE|WS_TABSTOP,...).
// Loads the RichEdit library.  False when neither is available.
bool RegisterHtmlViewClass(HINSTANCE instance);

// NMHDR.code of the WM_NOTIFY the view sends its parent once the end of the
// document of a Navigate is shown, before HtmlViewNavigate returns.  Common
// control notifications are negative (NM_FIRST is 0) and the RichEdit ones
// (EN_...) lie at 0x0700..0x07FF, so this code collides with none of them.
inline constexpr UINT kHtmlViewNavigateComplete = 0x8001;

// Reads the file, converts it, shows its end, then notifies the parent; the
// rest of a long document loads behind it without blocking the window.  A
// file that cannot be read shows an empty view (and still notifies).  The
// same path again reads the file again.
void HtmlViewNavigate(HWND view, const char* path);

// Reads the current file again.  The reader's place is kept, but a view
// whose last line is in sight stays at the (new) end, following a live
// conversation.  Sends no notification; does nothing before the first
// Navigate.
void HtmlViewRefresh(HWND view);

// Highlights every occurrence of `query` compared through `fold` in the
// shown document (FindInLines over the view's text), now and after every
// Refresh and Navigate, until an empty query clears it.
void HtmlViewSetHighlight(HWND view, const std::string& query, const FoldTable& fold);
// Scrolls so that occurrence `index` (0-based, document order, as
// FindInLines counts them over the whole converted text) is in view and
// marks it current; false when there is no such occurrence.
bool HtmlViewShowOccurrence(HWND view, int index);
// F3 / Shift+F3: moves to the next or previous occurrence after / before
// the current one (or the first visible one), scrolls it into view; false
// when there is none.
bool HtmlViewNextOccurrence(HWND view, bool backwards);

}  // namespace corvane
