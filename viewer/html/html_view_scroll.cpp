#include "viewer/html/html_view_scroll.h"

#include <richedit.h>

#include "viewer/html/html_view_page.h"

namespace corvane {
namespace {

void PlaceCaret(HWND page, LONG position) {
  CHARRANGE caret{position, position};
  SendMessageA(page, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
}

LONG TopOf(HWND page, LONG character) {
  POINTL position{};
  SendMessageA(page, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&position), character);
  return position.y;
}

LONG LineStartOf(HWND page, LONG character) {
  const LRESULT line = SendMessageA(page, EM_EXLINEFROMCHAR, 0, character);
  return static_cast<LONG>(SendMessageA(page, EM_LINEINDEX, line, 0));
}

LONG ClientHeight(HWND page) {
  RECT client{};
  GetClientRect(page, &client);
  return client.bottom;
}

}  // namespace

bool IsScrolledToEnd(HWND page) {
  const LONG lastLine = static_cast<LONG>(SendMessageA(page, EM_GETLINECOUNT, 0, 0)) - 1;
  const LONG lastLineStart = static_cast<LONG>(SendMessageA(page, EM_LINEINDEX, lastLine, 0));
  return TopOf(page, lastLineStart) < ClientHeight(page);
}

void ScrollToEnd(HWND page) {
  PlaceCaret(page, PageTextLength(page));
  ScrollLastLineIntoView(page);
}

void ScrollLastLineIntoView(HWND page) { SendMessageA(page, WM_VSCROLL, SB_BOTTOM, 0); }

PagePlace TopOfSight(HWND page) {
  const LRESULT line = SendMessageA(page, EM_GETFIRSTVISIBLELINE, 0, 0);
  const LONG character = static_cast<LONG>(SendMessageA(page, EM_LINEINDEX, line, 0));
  return PagePlace{character, TopOf(page, character)};
}

// EM_GETSCROLLPOS answers in 16 bits, scaled down for a document taller
// than that; where the first character is drawn tells the scroll position.
void ScrollToPlace(HWND page, PagePlace place) {
  RECT format{};
  SendMessageA(page, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  POINT scroll{
      0, format.top - TopOf(page, 0) + TopOf(page, LineStartOf(page, place.character)) - place.top};
  if (scroll.y < 0) scroll.y = 0;
  SendMessageA(page, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scroll));
}

LONG CharacterBelowSight(HWND page) {
  POINTL bottomLeft{0, ClientHeight(page) - 1};
  const LONG lastInSight = static_cast<LONG>(
      SendMessageA(page, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&bottomLeft)));
  const LRESULT line = SendMessageA(page, EM_EXLINEFROMCHAR, 0, lastInSight);
  const LONG next = static_cast<LONG>(SendMessageA(page, EM_LINEINDEX, line + 1, 0));
  return next < 0 ? PageTextLength(page) : next;
}

void ScrollIntoSight(HWND page, LONG begin, LONG end) {
  const LONG top = TopOf(page, begin);
  const LONG height = ClientHeight(page);
  const LONG nextLine = static_cast<LONG>(
      SendMessageA(page, EM_LINEINDEX, SendMessageA(page, EM_EXLINEFROMCHAR, 0, end) + 1, 0));
  const LONG bottom = nextLine < 0 ? top + 1 : TopOf(page, nextLine);
  if (top >= 0 && bottom <= height) return;
  ScrollToPlace(page, PagePlace{begin, height / 3});
}

}  // namespace corvane
