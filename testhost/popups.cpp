#include "testhost/popups.h"

#include <string>

#include "testhost/report.h"
#include "testhost/thread_windows.h"
#include "testhost/window_factory.h"

namespace testhost {
namespace {

constexpr char kTodayClass[] = "AIM_AimTodayWnd";
constexpr char kMiniBrowserClass[] = "_aim_MiniBrowserClass";
constexpr char kTodayText[] =
    "AIM Today\n\nTop news, weather and your horoscope.\n\nWin a trip to the islands!\nSee today's "
    "featured chat rooms.";
constexpr char kMiniBrowserText[] = "Special offer!\n\nUpgrade your mailbox now.";

LRESULT PopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT area;
      GetClientRect(window, &area);
      InflateRect(&area, -12, -12);
      HGDIOBJ oldFont = SelectObject(dc, GuiFont());
      SetBkMode(dc, TRANSPARENT);
      const char* text = ClassNameOf(window) == kTodayClass ? kTodayText : kMiniBrowserText;
      DrawTextA(dc, text, -1, &area, DT_WORDBREAK | DT_NOPREFIX);
      SelectObject(dc, oldFont);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      ReportDestroyed(window);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void RegisterPopupClasses() {
  RegisterWindowClass(kTodayClass, Guarded<PopupProc>, COLOR_WINDOW);
  RegisterWindowClass(kMiniBrowserClass, Guarded<PopupProc>, COLOR_INFOBK);
}

HWND OpenPopup(PopupKind kind) {
  const bool today = kind == PopupKind::kToday;
  const char* className = today ? kTodayClass : kMiniBrowserClass;
  HWND window = today ? CreateReported(className, "AIM Today", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                       300, 120, 420, 320, nullptr, 0)
                      : CreateReported(className, "", WS_POPUP | WS_BORDER | WS_VISIBLE, 900, 700,
                                       260, 140, nullptr, 0, WS_EX_TOOLWINDOW);
  Report(std::string("popup class=") + className + " created=" + (window ? "1" : "0"));
  return window;
}

void ClosePopups() {
  for (const char* className : {kTodayClass, kMiniBrowserClass})
    for (HWND window : HostTopLevelWindows(className)) DestroyWindow(window);
}

}  // namespace testhost
