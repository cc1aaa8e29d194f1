#include "testhost/text_controls.h"

#include <string>

#include "testhost/host_texts.h"
#include "testhost/report.h"
#include "testhost/window_factory.h"

namespace testhost {
namespace {

constexpr size_t kPaintedLines = 60;

void ClearConversation(HWND control) {
  SetWindowTextA(control, ClearedConversation().c_str());
  Report("host-clear hwnd=" + HandleText(control));
}

void TypeCharacter(HWND control, char c) {
  std::string text = WindowText(control);
  if (c == '\r') {
    HWND conversationWindow = GetParent(GetParent(control));
    SendMessageA(conversationWindow, WM_COMMAND, MAKEWPARAM(kSendCommand, 0), 0);
    return;
  }
  if (c == '\b') {
    if (!text.empty()) text.pop_back();
  } else if (static_cast<unsigned char>(c) >= ' ') {
    text += c;
  }
  SetWindowTextA(control, text.c_str());
}

LRESULT AteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool editable = (GetWindowLongA(window, GWL_STYLE) & kAteEditable) != 0;
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kHostClearCommand && lParam == 0) {
        ClearConversation(window);
        return 0;
      }
      break;
    case WM_SETTEXT: {
      LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, TRUE);
      return result;
    }
    case WM_PAINT:
      PaintHtmlText(window);
      return 0;
    case WM_LBUTTONDOWN:
      if (editable) SetFocus(window);
      return 0;
    case WM_CHAR:
      if (editable) TypeCharacter(window, static_cast<char>(wParam));
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND control = TextControlOf(window);
  switch (message) {
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
      if (control) return SendMessageA(control, message, wParam, lParam);
      break;
    case WM_SETTEXT: {
      if (control) return SendMessageA(control, message, wParam, lParam);
      LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, TRUE);
      return result;
    }
    case WM_SIZE:
      if (control) MoveWindow(control, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_PAINT:
      if (control) break;
      PaintHtmlText(window);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void RegisterTextControlClasses() {
  RegisterWindowClass("Ate32Class", Guarded<AteProc>, COLOR_WINDOW);
  RegisterWindowClass("WndAte32Class", Guarded<FrameProc>, COLOR_WINDOW);
}

HWND CreateTextFrame(HWND parent, int id, DWORD controlStyle) {
  HWND frame = CreateReported("WndAte32Class", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent, id,
                              WS_EX_CLIENTEDGE);
  if (frame)
    CreateReported("Ate32Class", "", WS_CHILD | WS_VISIBLE | controlStyle, 0, 0, 10, 10, frame, 1);
  return frame;
}

HWND TextControlOf(HWND frame) {
  return frame ? FindWindowExA(frame, nullptr, "Ate32Class", nullptr) : nullptr;
}

void PaintHtmlText(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT area;
  GetClientRect(window, &area);
  InflateRect(&area, -3, -1);
  std::string text = DisplayTail(WindowText(window), kPaintedLines);
  HGDIOBJ oldFont = SelectObject(dc, GuiFont());
  SetBkMode(dc, TRANSPARENT);
  const UINT format = DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL;
  RECT needed = area;
  DrawTextA(dc, text.c_str(), -1, &needed, format | DT_CALCRECT);
  // Show the end of the conversation, as the host scrolls to new messages.
  if (needed.bottom > area.bottom) area.top -= needed.bottom - area.bottom;
  DrawTextA(dc, text.c_str(), -1, &area, format);
  SelectObject(dc, oldFont);
  EndPaint(window, &paint);
}

}  // namespace testhost
