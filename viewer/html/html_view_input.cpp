
#include <richedit.h>
#include <windowsx.h>

#include <string>

#include "common/exception_boundary.h"
#include "viewer/html/html_view_links.h"
#include "viewer/html/html_view_load.h"
#include "viewer/html/html_view_page.h"
#include "viewer/html/html_view_scroll.h"
#include "viewer/html/html_view_state.h"

namespace corvane {
namespace {

bool SelectionIsEmpty(HWND page) {
  CHARRANGE selection{};
  SendMessageA(page, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  return selection.cpMin == selection.cpMax;
}

// Ctrl+C and Ctrl+Insert, which RichEdit copies on.
bool IsCopyKey(WPARAM key) {
  return (key == 'C' || key == VK_INSERT) && (GetKeyState(VK_CONTROL) & 0x8000) != 0 &&
         (GetKeyState(VK_SHIFT) & 0x8000) == 0;
}

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

int LinkIndexAt(HWND page, const HtmlViewState& state, POINT point) {
  return LinkIndexAtPoint(page, state, state.pageRange, point);
}

// A click opens a link when the button goes down and up on the same link
// without selecting text in between.
void OnPageButtonUp(HWND page, HtmlViewState& state, LPARAM lParam) {
  const int pressed = state.pressedLink;
  state.pressedLink = -1;
  if (pressed < 0 || LinkIndexAt(page, state, PointOf(lParam)) != pressed) return;
  if (!SelectionIsEmpty(page)) return;
  const std::string target =
      state.document.links[state.links[static_cast<std::size_t>(pressed)].target];
  OpenLink(page, target);
}

bool ShowLinkCursor(HWND page, const HtmlViewState& state, LPARAM lParam) {
  if (LOWORD(lParam) != HTCLIENT) return false;
  POINT point{};
  if (!GetCursorPos(&point) || !ScreenToClient(page, &point)) return false;
  if (LinkIndexAt(page, state, point) < 0) return false;
  SetCursor(LoadCursorA(nullptr, IDC_HAND));
  return true;
}

LRESULT HandlePageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND view = GetParent(page);
  HtmlViewState* state = HtmlViewStateOf(view);
  if (!state || state->page != page) return CallPageDefault(page, message, wParam, lParam);
  switch (message) {
    case WM_GETDLGCODE:
      // Tab, Enter and Escape stay the dialog's, as for any read-only view.
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (IsCopyKey(wParam) && CopyWithoutBreaks(page, *state)) return 0;
      if (wParam != VK_END) break;
      ScrollViewToEnd(view, *state);
      return 0;
    case WM_COPY:
      if (CopyWithoutBreaks(page, *state)) return 0;
      break;
    case WM_SETCURSOR:
      if (ShowLinkCursor(page, *state, lParam)) return TRUE;
      break;
    case WM_LBUTTONDOWN:
      state->pressedLink = LinkIndexAt(page, *state, PointOf(lParam));
      break;
    case WM_LBUTTONUP: {
      const LRESULT result = CallPageDefault(page, message, wParam, lParam);
      OnPageButtonUp(page, *state, lParam);
      return result;
    }
  }
  return CallPageDefault(page, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  // A message whose handling failed counts as handled.
  return ResultContained([&] { return HandlePageMessage(page, message, wParam, lParam); },
                         [] { return LRESULT{0}; });
}

void ScrollViewToEnd(HWND view, HtmlViewState& state) {
  const std::size_t length = state.document.text.size();
  BringIntoPage(view, state, length, length);
  ScrollToEnd(state.page);
}

}  // namespace corvane
