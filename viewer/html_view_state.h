// What one HTML view keeps: the RichEdit control that shows the current
// document, and what it knows about that document.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "html_view_links.h"

namespace corvane {

struct HtmlViewState {
  HWND page = nullptr;           // the RichEdit control showing the document
  std::string path;              // of the last Navigate; empty before the first
  std::string shownHtml;         // the file's bytes as shown (empty when unreadable)
  std::vector<LinkSpan> links;   // in the shown text, in order
  int pressedLink = -1;          // index into links of a button press, or -1
};

// The state of a window of the HTML view class; null for any other window.
HtmlViewState* HtmlViewStateOf(HWND view);

}  // namespace corvane
