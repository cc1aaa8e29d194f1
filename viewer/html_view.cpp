#include "html_view.h"

#include <richedit.h>
#include <windowsx.h>

#include <new>
#include <string>
#include <utility>

#include "html_to_view.h"
#include "html_view_document.h"
#include "html_view_links.h"
#include "html_view_page.h"
#include "html_view_scroll.h"
#include "html_view_state.h"

namespace corvane {
namespace {

// The public calls reach the window procedure as these messages, so that all
// the work runs under its guard against exceptions.
enum : UINT { kNavigateMessage = WM_APP + 0x100, kRefreshMessage };

HtmlViewState* StateOfView(HWND view) { return reinterpret_cast<HtmlViewState*>(GetWindowLongPtrA(view, 0)); }

// Questions about the document and orders to it (the edit and RichEdit
// messages, its text) go to the page, so that the view answers as a
// RichEdit control does.
bool IsForThePage(UINT message) {
  return message == WM_GETTEXT || message == WM_GETTEXTLENGTH || message == WM_VSCROLL || message == WM_COPY ||
         (message >= EM_GETSEL && message <= EM_GETIMESTATUS) || (message >= WM_USER && message < WM_APP);
}

void NotifyNavigateComplete(HWND view) {
  NMHDR header{};
  header.hwndFrom = view;
  header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(view));
  header.code = kHtmlViewNavigateComplete;
  SendMessageA(GetParent(view), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

bool SelectionIsEmpty(HWND page) {
  CHARRANGE selection{};
  SendMessageA(page, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  return selection.cpMin == selection.cpMax;
}

POINT PointOf(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// A click opens a link when the button goes down and up on the same link
// without selecting text in between.
void OnPageButtonUp(HWND page, HtmlViewState& state, LPARAM lParam) {
  const int pressed = state.pressedLink;
  state.pressedLink = -1;
  if (pressed < 0 || LinkIndexAtPoint(page, state.links, PointOf(lParam)) != pressed) return;
  if (!SelectionIsEmpty(page)) return;
  const std::string target = state.links[static_cast<std::size_t>(pressed)].target;
  OpenLink(page, target);
}

bool ShowLinkCursor(HWND page, const HtmlViewState& state, LPARAM lParam) {
  if (LOWORD(lParam) != HTCLIENT) return false;
  POINT point{};
  if (!GetCursorPos(&point) || !ScreenToClient(page, &point)) return false;
  if (LinkIndexAtPoint(page, state.links, point) < 0) return false;
  SetCursor(LoadCursorA(nullptr, IDC_HAND));
  return true;
}

LRESULT HandlePageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  HtmlViewState* state = StateOfView(GetParent(page));
  if (!state || state->page != page) return CallPageDefault(page, message, wParam, lParam);
  switch (message) {
    case WM_GETDLGCODE:
      // Tab, Enter and Escape stay the dialog's, as for any read-only view.
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      if (wParam != VK_END) break;
      ScrollToEnd(page);
      return 0;
    case WM_SETCURSOR:
      if (ShowLinkCursor(page, *state, lParam)) return TRUE;
      break;
    case WM_LBUTTONDOWN:
      state->pressedLink = LinkIndexAtPoint(page, state->links, PointOf(lParam));
      break;
    case WM_LBUTTONUP: {
      const LRESULT result = CallPageDefault(page, message, wParam, lParam);
      OnPageButtonUp(page, *state, lParam);
      return result;
    }
  }
  return CallPageDefault(page, message, wParam, lParam);
}

LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return HandlePageMessage(page, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

// Puts the file's content on a fresh page, hidden; the caller shows it.
HWND NewPageWithHtml(HWND view, HtmlViewState& state, std::string html) {
  HWND page = CreatePage(view, PageProc);
  if (!page) return nullptr;
  const FormattedText text = ConvertHtml(html);
  state.links = LinkSpansOf(text);
  state.pressedLink = -1;
  ShowFormattedText(page, text);
  state.shownHtml = std::move(html);
  return page;
}

void ReplacePage(HtmlViewState& state, HWND page) {
  HWND old = state.page;
  const bool focused = old && GetFocus() == old;
  state.page = page;
  ShowWindow(page, SW_SHOW);
  if (focused) SetFocus(page);
  if (old) DestroyWindow(old);
}

void OnNavigate(HWND view, HtmlViewState& state, const char* path) {
  state.path = path ? path : "";
  std::string html;
  ReadHistoryFile(state.path, html);
  if (HWND page = NewPageWithHtml(view, state, std::move(html))) {
    ScrollToTop(page);
    ReplacePage(state, page);
  }
  NotifyNavigateComplete(view);
}

void OnRefresh(HWND view, HtmlViewState& state) {
  if (state.path.empty() || !state.page) return;
  std::string html;
  ReadHistoryFile(state.path, html);
  // The viewer refreshes on every change anywhere in the history tree.
  if (html == state.shownHtml) return;
  const bool following = IsScrolledToEnd(state.page);
  const POINT place = ScrollPosition(state.page);
  CHARRANGE selection{};
  SendMessageA(state.page, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  HWND page = NewPageWithHtml(view, state, std::move(html));
  if (!page) return;
  SendMessageA(page, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  if (following) {
    ScrollLastLineIntoView(page);
  } else {
    ScrollTo(page, place);
  }
  ReplacePage(state, page);
}

LRESULT OnCreate(HWND view) {
  // The dialog manager then moves the focus into the page with Tab, and
  // on out of it again.
  SetWindowLongA(view, GWL_EXSTYLE, GetWindowLongA(view, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  HtmlViewState* state = new (std::nothrow) HtmlViewState;
  if (!state) return -1;
  SetWindowLongPtrA(view, 0, reinterpret_cast<LONG_PTR>(state));
  HWND page = NewPageWithHtml(view, *state, std::string());
  if (!page) return -1;
  ReplacePage(*state, page);
  return 0;
}

LRESULT HandleMessage(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) return OnCreate(view);
  HtmlViewState* state = StateOfView(view);
  if (!state) return DefWindowProcA(view, message, wParam, lParam);
  if (state->page && IsForThePage(message)) return SendMessageA(state->page, message, wParam, lParam);
  switch (message) {
    case WM_NCDESTROY:
      SetWindowLongPtrA(view, 0, 0);
      delete state;
      return 0;
    case kNavigateMessage:
      OnNavigate(view, *state, reinterpret_cast<const char*>(lParam));
      return 0;
    case kRefreshMessage:
      OnRefresh(view, *state);
      return 0;
    case WM_SIZE:
      if (state->page) MoveWindow(state->page, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      if (state->page) SetFocus(state->page);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      // The viewer sends End to the view as well as to its descendants.
      if (wParam == VK_END && state->page) ScrollToEnd(state->page);
      return 0;
    case WM_ERASEBKGND:
      return TRUE;  // the page covers the whole client area
  }
  return DefWindowProcA(view, message, wParam, lParam);
}

LRESULT CALLBACK HtmlViewProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return HandleMessage(view, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

}  // namespace

HtmlViewState* HtmlViewStateOf(HWND view) {
  char className[sizeof kHtmlViewClass + 1] = {};
  if (!GetClassNameA(view, className, sizeof className) || lstrcmpA(className, kHtmlViewClass) != 0) return nullptr;
  return StateOfView(view);
}

bool RegisterHtmlViewClass(HINSTANCE instance) {
  if (!LoadRichEdit()) return false;
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, kHtmlViewClass, &existing)) return true;
  WNDCLASSEXA view{};
  view.cbSize = sizeof view;
  view.lpfnWndProc = HtmlViewProc;
  view.cbWndExtra = sizeof(HtmlViewState*);
  view.hInstance = instance;
  view.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  view.lpszClassName = kHtmlViewClass;
  return RegisterClassExA(&view) != 0;
}

void HtmlViewNavigate(HWND view, const char* path) {
  SendMessageA(view, kNavigateMessage, 0, reinterpret_cast<LPARAM>(path));
}

void HtmlViewRefresh(HWND view) { SendMessageA(view, kRefreshMessage, 0, 0); }

}  // namespace corvane
