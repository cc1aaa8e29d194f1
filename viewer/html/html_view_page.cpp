#include "viewer/html/html_view_page.h"

#include <richedit.h>

#include "viewer/html/html_view_state.h"

namespace corvane {
namespace {

WNDPROC g_richEditProc = nullptr;

constexpr int kPageId = 1;

}  // namespace

bool LoadRichEdit() {
  if (g_richEditProc) return true;
  HMODULE library = LoadLibraryA("riched20.dll");
  WNDCLASSEXA richEdit{};
  richEdit.cbSize = sizeof richEdit;
  if (!library || !GetClassInfoExA(library, RICHEDIT_CLASSA, &richEdit)) return false;
  g_richEditProc = richEdit.lpfnWndProc;
  return true;
}

HWND CreatePage(HWND view) {
  RECT client{};
  GetClientRect(view, &client);
  HWND page = CreateWindowExA(
      0, RICHEDIT_CLASSA, "",
      WS_CHILD | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0,
      client.right, client.bottom, view, reinterpret_cast<HMENU>(kPageId),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(view, GWLP_HINSTANCE)), nullptr);
  if (!page) return nullptr;
  // A day file can be far larger than RichEdit's default limit of 32K.
  SendMessageA(page, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  SendMessageA(page, EM_SETUNDOLIMIT, 0, 0);
  SendMessageA(page, EM_SETTARGETDEVICE, 0, 0);  // wrap at the window's width
  SetWindowLongPtrA(page, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PageProc));
  return page;
}

LRESULT CallPageDefault(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(g_richEditProc, page, message, wParam, lParam);
}

LONG PageTextLength(HWND page) {
  GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
  return static_cast<LONG>(
      SendMessageA(page, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
}

void CutPageEnd(HWND page, LONG from) {
  CHARRANGE end{from, -1};
  SendMessageA(page, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
  SendMessageA(page, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
}

PageFreeze::PageFreeze(HWND page) : page_(page), visible_(IsWindowVisible(page) != FALSE) {
  if (visible_) SendMessageA(page_, WM_SETREDRAW, FALSE, 0);
}

PageFreeze::~PageFreeze() {
  if (!visible_) return;
  SendMessageA(page_, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(page_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace corvane
