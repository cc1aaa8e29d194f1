// Registering the host's window classes and creating windows with a report
// line for each creation, refused ones included.
#pragma once

#include <windows.h>

#include <string>

namespace testhost {

void RegisterWindowClass(const char* className, WNDPROC proc, int backgroundColor, UINT style = 0);

// A window procedure that lets no exception escape into the system: a
// message whose handling threw gets the default handling.
template <LRESULT (*kHandler)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK Guarded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return kHandler(window, message, wParam, lParam);
  } catch (...) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
}

// The hook may refuse a creation; then this returns NULL.
HWND CreateReported(const char* className, const std::string& title, DWORD style, int x, int y,
                    int width, int height, HWND parent, UINT_PTR menuOrId, DWORD exStyle = 0);

std::string HandleText(const void* handle);  // "0x1a04b2"
std::string ClassNameOf(HWND window);
std::string WindowText(HWND window);  // any length
HFONT GuiFont();

// A top-level window of this process reports its end (call on WM_DESTROY).
void ReportDestroyed(HWND window);
// Reports a system command below the system's own range (SC_SIZE and up),
// i.e. one that another program sent: the add-on's live-preview broadcasts.
void ReportPrivateSysCommand(HWND window, WPARAM command);

}  // namespace testhost
