#include <string>

#include "viewer/framework/win_app.h"

namespace corvane {
namespace {

// The box goes on top of whatever the application shows last (a modal dialog
// above the main window, say), so that it stays modal to the right window.
HWND MessageBoxOwner() {
  const CWinApp* app = AfxGetApp();
  HWND main = app != nullptr ? app->MainWindow() : nullptr;
  if (main != nullptr && IsWindow(main)) {
    return GetLastActivePopup(main);
  }
  return GetActiveWindow();
}

UINT WithDefaultIcon(UINT type) {
  if ((type & MB_ICONMASK) != 0) {
    return type;
  }
  switch (type & MB_TYPEMASK) {
    case MB_OK:
    case MB_OKCANCEL:
      return type | MB_ICONEXCLAMATION;
    case MB_YESNO:
    case MB_YESNOCANCEL:
      return type | MB_ICONQUESTION;
    default:
      return type;
  }
}

}  // namespace

int AfxMessageBox(const char* text, UINT type) {
  const CWinApp* app = AfxGetApp();
  const std::string caption = app != nullptr ? app->AppName() : std::string();
  return MessageBoxA(MessageBoxOwner(), text, caption.c_str(), WithDefaultIcon(type));
}

}  // namespace corvane
