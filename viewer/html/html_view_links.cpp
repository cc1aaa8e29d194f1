#include "viewer/html/html_view_links.h"

#include <richedit.h>
#include <shellapi.h>

#include <algorithm>

#include "viewer/html/html_view_load.h"
#include "viewer/html/html_view_state.h"

namespace corvane {
namespace {

POINTL PositionOfCharacter(HWND view, LONG index) {
  POINTL position{};
  SendMessageA(view, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&position), index);
  return position;
}

// A generous line height for text of that size, for the edges the control
// does not tell: past the last line, and past a line's last character.
LONG LineHeightFor(HWND view, int points) {
  HDC dc = GetDC(view);
  const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) ReleaseDC(view, dc);
  return MulDiv(points, dpi, 72) * 3 / 2;
}

// EM_CHARFROMPOS answers with the nearest character even for a point in the
// empty space beside or below the text; the link counts only under the
// character itself.
bool PointOnCharacter(HWND view, LONG index, int points, POINT client) {
  const POINTL topLeft = PositionOfCharacter(view, index);
  if (client.x < topLeft.x || client.y < topLeft.y) return false;
  const LONG lineHeight = LineHeightFor(view, points);
  const POINTL next = PositionOfCharacter(view, index + 1);
  const LONG right = next.y == topLeft.y && next.x > topLeft.x ? next.x : topLeft.x + lineHeight;
  const LONG line = static_cast<LONG>(SendMessageA(view, EM_EXLINEFROMCHAR, 0, index));
  const LONG nextLineStart = static_cast<LONG>(SendMessageA(view, EM_LINEINDEX, line + 1, 0));
  const LONG bottom =
      nextLineStart > index ? PositionOfCharacter(view, nextLineStart).y : topLeft.y + lineHeight;
  return client.x < right && client.y < bottom;
}

}  // namespace

std::vector<LinkSpan> LinkSpansOf(const FormattedText& view) {
  std::vector<LinkSpan> spans;
  for (const FormatRun& run : view.runs) {
    const CharFormat& format = view.FormatOf(run);
    if (format.link == kNoLink) continue;
    for (std::size_t i = run.start; i < run.start + run.length; ++i) {
      if (view.text[i] == '\n') continue;
      if (spans.empty() || spans.back().end != i || spans.back().target != format.link) {
        spans.push_back(LinkSpan{i, i, format.points, format.link});
      }
      LinkSpan& span = spans.back();
      span.end = i + 1;
      span.points = std::max(span.points, format.points);
    }
  }
  return spans;
}

int LinkIndexAtPoint(HWND page, const HtmlViewState& state, TextRange range, POINT client) {
  const std::vector<LinkSpan>& links = state.links;
  if (links.empty()) return -1;
  POINTL point{client.x, client.y};
  const LONG nearest =
      static_cast<LONG>(SendMessageA(page, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point)));
  // RichEdit versions answer with the character under the point or with the
  // caret position nearest to it, which can be the next character.
  for (LONG index = nearest; index >= 0 && index >= nearest - 1; --index) {
    const std::size_t at = DocumentPosition(state, range, index);
    auto after = std::upper_bound(
        links.begin(), links.end(), at,
        [](std::size_t position, const LinkSpan& span) { return position < span.start; });
    if (after == links.begin()) continue;
    const LinkSpan& span = *(after - 1);
    if (at < span.end && PointOnCharacter(page, index, span.points, client)) {
      return static_cast<int>(after - 1 - links.begin());
    }
  }
  return -1;
}

void OpenLink(HWND view, const std::string& target) {
  ShellExecuteA(view, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace corvane
