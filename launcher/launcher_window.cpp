#include "launcher/launcher_session.h"

#include <shellapi.h>

#include "common/exception_boundary.h"
#include "common/unique_handle.h"
#include "launcher/launcher_protocol.h"
#include "launcher/launcher_resource_ids.h"

namespace corvane {
namespace {

constexpr UINT kTrayIconId = 1;

// Sent by the shell when the task bar is made again, e.g. after it crashed.
UINT g_taskbarCreatedMessage = 0;

LauncherSession* SessionOf(HWND window) {
  return reinterpret_cast<LauncherSession*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

NOTIFYICONDATAA TrayIconData(HWND window) {
  NOTIFYICONDATAA data = {};
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = kTrayIconId;
  return data;
}

void AddTrayIcon(HWND window) {
  NOTIFYICONDATAA data = TrayIconData(window);
  data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  data.uCallbackMessage = kMsgTrayIcon;
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
  data.hIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_LAUNCHER), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  lstrcpynA(data.szTip, "Corvane", sizeof data.szTip);
  Shell_NotifyIconA(NIM_ADD, &data);
}

void RemoveTrayIcon(HWND window) {
  NOTIFYICONDATAA data = TrayIconData(window);
  Shell_NotifyIconA(NIM_DELETE, &data);
}

void ShowTrayMenu(HWND window) {
  const OwnedMenu menu(CreatePopupMenu());
  if (!menu) return;
  AppendMenuA(menu.Get(), MF_STRING, kCommandPreferences, "&Preferences...");
  AppendMenuA(menu.Get(), MF_STRING, kCommandStartAnotherHost, "&Start another messenger");
  AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu.Get(), MF_STRING, kCommandExit, "E&xit");
  SetMenuDefaultItem(menu.Get(), kCommandPreferences, FALSE);

  POINT cursor;
  GetCursorPos(&cursor);
  // Without the foreground the menu would not close when clicked elsewhere.
  SetForegroundWindow(window);
  const UINT command = TrackPopupMenu(menu.Get(), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                                      cursor.x, cursor.y, 0, window, nullptr);
  PostMessageA(window, WM_NULL, 0, 0);
  if (command) PostMessageA(window, WM_COMMAND, command, 0);
}

void OnTrayIcon(HWND window, LPARAM mouseMessage) {
  if (mouseMessage == WM_RBUTTONUP) {
    ShowTrayMenu(window);
  } else if (mouseMessage == WM_LBUTTONDBLCLK) {
    PostMessageA(window, WM_COMMAND, kCommandPreferences, 0);
  }
}

void OnCommand(HWND window, UINT command) {
  LauncherSession* session = SessionOf(window);
  switch (command) {
    case kCommandPreferences:
      OpenPreferences(*session);
      break;
    case kCommandStartAnotherHost:
      StartAnotherHost(*session);
      break;
    case kCommandExit:
      session->exitRequested = true;
      break;
  }
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
    case WM_CREATE:
      AddTrayIcon(window);
      return 0;
    case WM_DESTROY:
      RemoveTrayIcon(window);
      return 0;
    case WM_CLOSE:
      SessionOf(window)->exitRequested = true;
      return 0;
    case WM_COMMAND:
      OnCommand(window, LOWORD(wParam));
      return 0;
    case kMsgTrayIcon:
      OnTrayIcon(window, lParam);
      return 0;
    case kMsgAdoptHost:
      return AdoptHost(*SessionOf(window), static_cast<DWORD>(wParam)) ? 1 : 0;
    case kMsgShowRunning:
      ShowAlreadyRunning();
      return 0;
    default:
      if (message == g_taskbarCreatedMessage && g_taskbarCreatedMessage != 0) {
        AddTrayIcon(window);
        return 0;
      }
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK LauncherWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // A message whose handling failed gets the default handling, which keeps
  // the window working.
  return ResultContained([&] { return HandleMessage(window, message, wParam, lParam); },
                         [&] { return DefWindowProcA(window, message, wParam, lParam); });
}

}  // namespace

HWND CreateLauncherWindow(HINSTANCE instance, LauncherSession* session) {
  g_taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = LauncherWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_LAUNCHER));
  windowClass.lpszClassName = kLauncherWindowClass;
  if (!RegisterClassA(&windowClass)) return nullptr;

  return CreateWindowExA(WS_EX_TOOLWINDOW, kLauncherWindowClass, kLauncherWindowTitle,
                         WS_OVERLAPPED, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                         nullptr, nullptr, instance, session);
}

}  // namespace corvane
