// What one HTML view keeps: the shown document, the RichEdit page in sight
// and the one a long document is loaded into behind it, and the highlighted
// query.
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
  std::string shownHtml;        // the file's bytes as shown (empty when unreadable)
  FormattedText document;       // shown_html converted
  PageBreaks breaks;            // where the pages break the document's long stretches
  std::vector<LinkSpan> links;  // in the document's text, in order
  int pressedLink = -1;         // index into links of a button press, or -1
  HtmlViewHighlight highlight;
};

// The state of a window of the HTML view class; null for any other window.
HtmlViewState* HtmlViewStateOf(HWND view);

}  // namespace corvane
