// The links of the HTML view: where they lie in the shown text, which one is
// under the mouse, and opening one.  Only the targets the converter keeps
// (http, https, mailto) ever reach the shell.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "viewer/html/html_to_view.h"
#include "viewer/html/html_view_ranges.h"

namespace corvane {

struct HtmlViewState;

struct LinkSpan {
  std::size_t start = 0;   // character positions in the view's text
  std::size_t end = 0;     // one past the last character
  int points = 0;          // the largest font size in the span
  std::size_t target = 0;  // index into the view's links
};

// Each stretch of linked characters with one target, line ends excluded, so
// that the empty space after a link's line is no link.
std::vector<LinkSpan> LinkSpansOf(const FormattedText& view);

// The index in the view's links of the link drawn under a point of a page's
// client area, or -1; the page holds the document's characters [range).
int LinkIndexAtPoint(HWND page, const HtmlViewState& state, TextRange range, POINT client);

// Hands the target to the shell's default handler for its scheme.
void OpenLink(HWND view, const std::string& target);

}  // namespace corvane
