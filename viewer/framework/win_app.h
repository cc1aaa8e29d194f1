// The application object of the viewer's dialog framework: one per process,
// reachable through AfxGetApp(), with the profile (registry or .ini file)
// where dialogs keep their settings.  CWinApp, AfxGetApp and AfxMessageBox
// are our own small stand-ins for the dialog framework's, which this
// toolchain lacks; they keep the names the viewer's design uses.
#pragma once

#include <windows.h>

#include <string>

#include "viewer/framework/profile.h"

namespace corvane {

class CWinApp {
 public:
  // The newest constructed application object becomes the process's one.
  CWinApp();
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // The program's work; a dialog application runs its dialog here and
  // returns false, which ends the program.
  virtual bool InitInstance() = 0;

  // WinMain's body: InitInstance, then the process's exit code (0 unless
  // the program set another).
  int Run();
  void SetExitCode(int code) { exitCode_ = code; }

  // From now on the profile lives in the registry under HKEY_CURRENT_USER
  // "Software\<company>\<application name>"; before, in "<application
  // name>.ini" (in the Windows directory).
  void SetRegistryKey(const char* company);

  // A section may contain backslashes (nested keys in the registry).
  // Registry values are REG_DWORD; .ini entries are decimal text.
  int GetProfileInt(const char* section, const char* entry, int defaultValue) const;
  bool WriteProfileInt(const char* section, const char* entry, int value) const;

  // The executable's file name without its extension.
  const std::string& AppName() const { return profile_.appName; }
  HINSTANCE Instance() const { return instance_; }

  // The window that owns the application's message boxes (the main dialog).
  void SetMainWindow(HWND window) { mainWindow_ = window; }
  HWND MainWindow() const { return mainWindow_; }

 private:
  HINSTANCE instance_;
  ProfileStore profile_;
  HWND mainWindow_ = nullptr;
  int exitCode_ = 0;
};

// The process's application object, null when none exists.
CWinApp* AfxGetApp();

// A message box owned by the application's active window, captioned with the
// application's name; with no icon flag, Yes/No boxes get the question icon
// and OK boxes the exclamation mark.  Returns the button pressed.
int AfxMessageBox(const char* text, UINT type = MB_OK);

}  // namespace corvane
