// What one HTML view keeps: the shown document, the RichEdit page in sight
// and the one a long document is loaded into behind it, and the highlighted
// query; and what the view's procedures do with it: copy, highlight, and
// answer the reader's keys and mouse.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "viewer/html/html_to_view.h"
#include "viewer/html/html_view_breaks.h"
#include "viewer/html/html_view_links.h"
#include "viewer/html/html_view_ranges.h"
#include "viewer/html/text_find.h"

namespace corvane {

struct HtmlViewHighlight {
  std::string query;  // empty: nothing is highlighted
  FoldTable fold = IdentityFold();
  std::vector<std::size_t> occurrences;  // where the query starts in the document's text
  int current = -1;                      // index into occurrences, or -1
};

struct HtmlViewState {
  HWND page = nullptr;  // the RichEdit control in sight
  TextRange pageRange;  // the document's characters it holds
  HWND loading =
      nullptr;  // hidden page the whole document is loaded into; null when page holds it all
  std::size_t loaded = 0;  // the document's characters in `loading` so far
  // Pages out of sight, emptied and destroyed on later timer ticks, a slice
  // of work a tick: freeing a large one at once took Wine's RichEdit a third
  // of a second.
  std::vector<HWND> retired;
  std::string path;             // of the last Navigate; empty before the first
  // Navigations begun: a day converted for an older one, or for a refresh
  // begun before the newest, is not shown (its thread answers messages
  // while it converts, a navigation among them).
  unsigned navigations = 0;
  std::string shownHtml;        // the file's bytes as shown (empty when unreadable)
  FormattedText document;       // shown_html converted
  PageBreaks breaks;            // where the pages break the document's long stretches
  std::vector<LinkSpan> links;  // in the document's text, in order
  int pressedLink = -1;         // index into links of a button press, or -1
  HtmlViewHighlight highlight;
};

// The state of a window of the HTML view class; null for any other window.
HtmlViewState* HtmlViewStateOf(HWND view);

// The HTML view's text as the day holds it where a page shows it otherwise,
// with breaks the day does not hold or line ends as line breaks inside a
// paragraph (see PageBreaks): what a copy puts on the clipboard and what
// WM_GETTEXT and EM_GETLINE answer (html_view_copy.cpp).

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

// Highlighting a query's occurrences in the HTML view, and moving from one
// to the next.  The view's own messages call these under its guard
// (html_view_highlight.cpp).

// The occurrences of the highlighted query in the state's document (after
// it changed); the current one stays when the document still has as many.
void FindOccurrences(HtmlViewState& state);

void SetHighlight(HWND view, HtmlViewState& state, const std::string& query, const FoldTable& fold);
bool ShowOccurrence(HWND view, HtmlViewState& state, int index);
bool NextOccurrence(HWND view, HtmlViewState& state, bool backwards);

// What the HTML view does with the reader's keys and mouse: End scrolls to
// the end of the document, a click on a link opens it, Tab, Enter and Escape
// stay the dialog's (html_view_input.cpp).

// The subclass procedure of every page of the view.
LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The End key: the caret at the document's end, its last line in sight.
void ScrollViewToEnd(HWND view, HtmlViewState& state);

}  // namespace corvane
