#include "testhost/simple_controls.h"

#include <windows.h>

#include <string>

#include "testhost/report.h"
#include "testhost/window_factory.h"

namespace testhost {

namespace {
constexpr int kComboArrowWidth = 16;

void DrawWindowText(HWND window, HDC dc, RECT area, UINT format) {
  std::string text = WindowText(window);
  HGDIOBJ oldFont = SelectObject(dc, GuiFont());
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, text.c_str(), -1, &area, format | DT_NOPREFIX);
  SelectObject(dc, oldFont);
}

// Runs paintBody between BeginPaint and EndPaint with the client rectangle.
template <typename PaintBody>
void Paint(HWND window, PaintBody paintBody) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT area;
  GetClientRect(window, &area);
  paintBody(dc, area);
  EndPaint(window, &paint);
}

LRESULT IconButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint(window, [window](HDC dc, RECT area) {
        DrawEdge(dc, &area, EDGE_RAISED, BF_RECT);
        DrawWindowText(window, dc, area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      });
      return 0;
    case WM_LBUTTONUP:
      SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
                   reinterpret_cast<LPARAM>(window));
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    Paint(window, [window](HDC dc, RECT area) {
      area.left += 4;
      DrawWindowText(window, dc, area, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    });
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT SeparatorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    Paint(window, [](HDC dc, RECT area) { DrawEdge(dc, &area, EDGE_ETCHED, BF_TOP); });
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT TreeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    Paint(window, [window](HDC dc, RECT area) {
      DrawEdge(dc, &area, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
      InflateRect(&area, -2, -2);
      DrawWindowText(window, dc, area, DT_LEFT);
    });
    return 0;
  }
  if (message == WM_SETTEXT) InvalidateRect(window, nullptr, TRUE);
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT ComboProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (HWND edit = FindWindowExA(window, nullptr, "Edit", nullptr))
        MoveWindow(edit, 0, 0, LOWORD(lParam) - kComboArrowWidth, HIWORD(lParam), TRUE);
      return 0;
    case WM_PAINT:
      Paint(window, [](HDC dc, RECT area) {
        area.left = area.right - kComboArrowWidth;
        DrawFrameControl(dc, &area, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
      });
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT StatusNotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kStatusNotifyMessage) {
    Report("status-notify wparam=" + std::to_string(static_cast<unsigned long>(wParam)) +
           " lparam=" + std::to_string(static_cast<long>(lParam)));
    return 0;
  }
  if (message == WM_DESTROY) ReportDestroyed(window);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void RegisterSimpleControlClasses() {
  RegisterWindowClass("_Oscar_IconBtn", Guarded<IconButtonProc>, COLOR_BTNFACE);
  RegisterWindowClass("_Oscar_Static", Guarded<StaticProc>, COLOR_BTNFACE);
  RegisterWindowClass("_Oscar_Separator", Guarded<SeparatorProc>, COLOR_BTNFACE);
  RegisterWindowClass("_Oscar_Tree", Guarded<TreeProc>, COLOR_WINDOW);
  RegisterWindowClass("_Oscar_PersistantCombo", Guarded<ComboProc>, COLOR_WINDOW);
}

void RegisterStatusNotifyClass() {
  RegisterWindowClass("_Oscar_StatusNotify", Guarded<StatusNotifyProc>, COLOR_WINDOW);
}

HWND CreateStatusNotifyWindow() {
  return CreateReported("_Oscar_StatusNotify", "", WS_POPUP, 0, 0, 0, 0, nullptr, 0);
}

}  // namespace testhost
