#include "viewer/html/html_view.h"

#include <richedit.h>

#include <new>
#include <string>
#include <utility>

#include "common/exception_boundary.h"
#include "viewer/html/html_to_view.h"
#include "viewer/html/html_view_convert.h"
#include "viewer/html/html_view_links.h"
#include "viewer/html/html_view_load.h"
#include "viewer/html/html_view_page.h"
#include "viewer/html/html_view_ranges.h"
#include "viewer/html/html_view_state.h"

namespace corvane {
namespace {

// The public calls reach the window procedure as these messages, so that all
// the work runs under its guard against exceptions.
enum : UINT {
  kNavigateMessage = WM_APP + 0x100,
  kRefreshMessage,
  kSetHighlightMessage,
  kShowOccurrenceMessage,
  kNextOccurrenceMessage,
};

struct HighlightRequest {
  const std::string* query;
  const FoldTable* fold;
};

HtmlViewState* StateOfView(HWND view) {
  return reinterpret_cast<HtmlViewState*>(GetWindowLongPtrA(view, 0));
}

// Questions about the document and orders to it (the edit and RichEdit
// messages, its text) go to the page in sight, so that the view answers as a
// RichEdit control does.
bool IsForThePage(UINT message) {
  return message == WM_GETTEXT || message == WM_GETTEXTLENGTH || message == WM_VSCROLL ||
         message == WM_COPY || (message >= EM_GETSEL && message <= EM_GETIMESTATUS) ||
         (message >= WM_USER && message < WM_APP);
}

void NotifyNavigateComplete(HWND view) {
  NMHDR header{};
  header.hwndFrom = view;
  header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(view));
  header.code = kHtmlViewNavigateComplete;
  SendMessageA(GetParent(view), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

// The view's document becomes the day read and converted.
void TakeDocument(HtmlViewState& state, ConvertedDay day) {
  state.document = std::move(day.document);
  state.breaks = std::move(day.breaks);
  state.shownHtml = std::move(day.html);
  state.links = std::move(day.links);
  state.pressedLink = -1;
  FindOccurrences(state);
}

// The view may be gone once the day is converted, or asked for another day:
// its thread answers other threads meanwhile.
void OnNavigate(HWND view, HtmlViewState& asked, const char* path) {
  std::string file = path ? path : "";
  const unsigned navigation = ++asked.navigations;
  ConvertedDay day = ReadAndConvertAnswering(file);
  HtmlViewState* state = StateOfView(view);
  if (!state || state->navigations != navigation) return;
  state->path = std::move(file);
  state->highlight.current = -1;
  TakeDocument(*state, std::move(day));
  ShowDocument(view, *state, Sight{});
  NotifyNavigateComplete(view);
}

void OnRefresh(HWND view, const HtmlViewState& shown) {
  if (shown.path.empty() || !shown.page) return;
  // The viewer refreshes on every change anywhere in the history tree.
  const unsigned navigation = shown.navigations;
  ConvertedDay day = ReadAndConvertAnswering(shown.path, shown.shownHtml);
  HtmlViewState* found = StateOfView(view);
  if (!found || found->navigations != navigation || day.same || !found->page) return;
  HtmlViewState& state = *found;
  Sight sight = SightOf(state);
  const FormattedText old = std::move(state.document);
  TakeDocument(state, std::move(day));
  const std::size_t same =
      old.background == state.document.background ? FirstDifference(old, state.document) : 0;
  for (std::size_t* position : {&sight.character, &sight.selectionBegin, &sight.selectionEnd}) {
    *position = MovedPosition(old.text, state.document.text, same, *position);
  }
  if (!CanPatchPages(state, same, old.text.size())) {
    ShowDocument(view, state, sight);
    return;
  }
  PageFreeze freeze(state.page);
  PatchPages(state, same, old.text.size());
  RestoreSight(state, state.page, state.pageRange, sight);
}

LRESULT OnCreate(HWND view) {
  // The dialog manager then moves the focus into the page with Tab, and
  // on out of it again.
  SetWindowLongA(view, GWL_EXSTYLE, GetWindowLongA(view, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  HtmlViewState* state = new (std::nothrow) HtmlViewState;
  if (!state) return -1;
  SetWindowLongPtrA(view, 0, reinterpret_cast<LONG_PTR>(state));
  ShowDocument(view, *state, Sight{});
  return state->page ? 0 : -1;
}

void OnSize(const HtmlViewState& state, LPARAM lParam) {
  for (HWND page : {state.page, state.loading}) {
    if (page) MoveWindow(page, 0, 0, LOWORD(lParam), HIWORD(lParam), page == state.page);
  }
}

LRESULT HandleMessage(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) return OnCreate(view);
  HtmlViewState* state = StateOfView(view);
  if (!state) return DefWindowProcA(view, message, wParam, lParam);
  if (state->page && IsForThePage(message)) {
    LRESULT text = 0;
    if (AnswerTextWithoutBreaks(*state, message, wParam, lParam, text)) return text;
    return SendMessageA(state->page, message, wParam, lParam);
  }
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
    case kSetHighlightMessage: {
      const HighlightRequest& request = *reinterpret_cast<const HighlightRequest*>(lParam);
      SetHighlight(view, *state, *request.query, *request.fold);
      return 0;
    }
    case kShowOccurrenceMessage:
      return ShowOccurrence(view, *state, static_cast<int>(wParam));
    case kNextOccurrenceMessage:
      return NextOccurrence(view, *state, wParam != 0);
    case WM_TIMER:
      if (wParam == kHtmlViewLoadTimer) OnLoadTimer(view, *state);
      return 0;
    case WM_SIZE:
      OnSize(*state, lParam);
      return 0;
    case WM_SETFOCUS:
      if (state->page) SetFocus(state->page);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      // The viewer sends End to the view as well as to its descendants.
      if (wParam == VK_END && state->page) ScrollViewToEnd(view, *state);
      return 0;
    case WM_ERASEBKGND:
      return TRUE;  // the page covers the whole client area
  }
  return DefWindowProcA(view, message, wParam, lParam);
}

LRESULT CALLBACK HtmlViewProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
  // A message whose handling failed counts as handled.
  return ResultContained([&] { return HandleMessage(view, message, wParam, lParam); },
                         [] { return LRESULT{0}; });
}

}  // namespace

HtmlViewState* HtmlViewStateOf(HWND view) {
  char className[sizeof kHtmlViewClass + 1] = {};
  if (!GetClassNameA(view, className, sizeof className) || lstrcmpA(className, kHtmlViewClass) != 0)
    return nullptr;
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

void HtmlViewSetHighlight(HWND view, const std::string& query, const FoldTable& fold) {
  const HighlightRequest request{&query, &fold};
  SendMessageA(view, kSetHighlightMessage, 0, reinterpret_cast<LPARAM>(&request));
}

bool HtmlViewShowOccurrence(HWND view, int index) {
  return index >= 0 &&
         SendMessageA(view, kShowOccurrenceMessage, static_cast<WPARAM>(index), 0) != 0;
}

bool HtmlViewNextOccurrence(HWND view, bool backwards) {
  return SendMessageA(view, kNextOccurrenceMessage, backwards ? 1 : 0, 0) != 0;
}

}  // namespace corvane
