// Stands in for a running launcher that cannot take over a clone's host:
// it holds the launcher's instance mutex and, like a launcher, the hook
// library with the settings loaded (no hook).  "refuse" adds a launcher
// window that takes no host; "nowindow" has none.  Prints "ready", then
// lives until its standard input closes.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "launcher/launcher_protocol.h"
#include "tests/support/beside_this_program.h"

namespace {

LRESULT CALLBACK RefusingLauncherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == corvane::kMsgAdoptHost) return 0;
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateRefusingLauncherWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = RefusingLauncherProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = corvane::kLauncherWindowClass;
  if (!RegisterClassA(&windowClass)) return nullptr;
  return CreateWindowExA(0, corvane::kLauncherWindowClass, corvane::kLauncherWindowTitle, 0, 0, 0,
                         0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Ends the message loop when standard input reaches its end.
DWORD WINAPI WaitForInputToClose(void* mainThread) {
  char line[64];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
  }
  PostThreadMessageA(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(mainThread)), WM_QUIT, 0, 0);
  return 0;
}

std::string LibraryPath() { return corvane::BesideThisProgram(corvane::kHookLibraryFileName); }

}  // namespace

int main(int argc, char** argv) {
  const bool withWindow = argc > 1 && std::strcmp(argv[1], "refuse") == 0;
  HANDLE instance = CreateMutexA(nullptr, FALSE, corvane::kLauncherInstanceMutex);
  if (instance == nullptr || GetLastError() == ERROR_ALREADY_EXISTS) {
    std::printf("error launcher-running\n");
    return 1;
  }
  HMODULE library = LoadLibraryA(LibraryPath().c_str());
  const auto loadSettings = reinterpret_cast<int(__cdecl*)()>(
      reinterpret_cast<void*>(GetProcAddress(library, "LoadSettingsFromReg")));
  if (loadSettings == nullptr) {
    std::printf("error no-library\n");
    return 1;
  }
  loadSettings();
  if (withWindow && CreateRefusingLauncherWindow() == nullptr) {
    std::printf("error no-window\n");
    return 1;
  }
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for WM_QUIT
  const UINT_PTR self = GetCurrentThreadId();
  HANDLE reader =
      CreateThread(nullptr, 0, WaitForInputToClose, reinterpret_cast<void*>(self), 0, nullptr);
  std::printf("ready\n");
  std::fflush(stdout);
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  if (reader != nullptr) CloseHandle(reader);
  CloseHandle(instance);
  return 0;
}
