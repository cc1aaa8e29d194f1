#include "testhost/window_factory.h"

#include <cstdio>
#include <vector>

#include "testhost/report.h"

namespace testhost {

void RegisterWindowClass(const char* className, WNDPROC proc, int backgroundColor, UINT style) {
  WNDCLASSA wc = {};
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(backgroundColor + 1));
  wc.lpszClassName = className;
  RegisterClassA(&wc);
}

HWND CreateReported(const char* className, const std::string& title, DWORD style, int x, int y,
                    int width, int height, HWND parent, UINT_PTR menuOrId, DWORD exStyle) {
  HWND window =
      CreateWindowExA(exStyle, className, title.c_str(), style, x, y, width, height, parent,
                      reinterpret_cast<HMENU>(menuOrId), GetModuleHandleA(nullptr), nullptr);
  if (!window) {
    Report(std::string("refused class=") + className);
    return nullptr;
  }
  if (style & WS_CHILD)
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
  Report(std::string("created class=") + className + " hwnd=" + HandleText(window) +
         " title=" + Quoted(title));
  return window;
}

std::string HandleText(const void* handle) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%lx",
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(handle)));
  return text;
}

std::string ClassNameOf(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string WindowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  if (length <= 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 1);
  int read = GetWindowTextA(window, buffer.data(), length + 1);
  return std::string(buffer.data(), read > 0 ? static_cast<size_t>(read) : 0);
}

HFONT GuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

void ReportDestroyed(HWND window) {
  Report("destroyed class=" + ClassNameOf(window) + " hwnd=" + HandleText(window));
}

void ReportPrivateSysCommand(HWND window, WPARAM command) {
  if (command >= SC_SIZE) return;
  Report("syscommand class=" + ClassNameOf(window) + " hwnd=" + HandleText(window) +
         " code=" + std::to_string(static_cast<unsigned long>(command)));
}

}  // namespace testhost
