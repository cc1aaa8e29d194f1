#include "html_view_scroll.h"

#include <richedit.h>

namespace corvane {
namespace {

LONG TextLength(HWND view) {
  GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
  return static_cast<LONG>(SendMessageA(view, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
}

void PlaceCaret(HWND view, LONG position) {
  CHARRANGE caret{position, position};
  SendMessageA(view, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
}

}  // namespace

bool IsScrolledToEnd(HWND view) {
  const LONG lastLine = static_cast<LONG>(SendMessageA(view, EM_GETLINECOUNT, 0, 0)) - 1;
  const LONG lastLineStart = static_cast<LONG>(SendMessageA(view, EM_LINEINDEX, lastLine, 0));
  POINTL position{};
  SendMessageA(view, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&position), lastLineStart);
  RECT client{};
  GetClientRect(view, &client);
  return position.y < client.bottom;
}

void ScrollToEnd(HWND view) {
  PlaceCaret(view, TextLength(view));
  ScrollLastLineIntoView(view);
}

void ScrollLastLineIntoView(HWND view) { SendMessageA(view, WM_VSCROLL, SB_BOTTOM, 0); }

void ScrollToTop(HWND view) {
  PlaceCaret(view, 0);
  SendMessageA(view, WM_VSCROLL, SB_TOP, 0);
}

POINT ScrollPosition(HWND view) {
  POINT position{};
  SendMessageA(view, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&position));
  return position;
}

void ScrollTo(HWND view, POINT position) {
  SendMessageA(view, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&position));
}

}  // namespace corvane
