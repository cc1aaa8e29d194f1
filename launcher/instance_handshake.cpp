#include "launcher/instance_handshake.h"

#include "launcher/launcher_protocol.h"

namespace corvane {
namespace {

constexpr DWORD kWindowWaitMs = 5000;
constexpr DWORD kWindowPollMs = 100;
constexpr UINT kHandOverTimeoutMs = 10000;

}  // namespace

InstanceMutex::InstanceMutex() {
  handle_.Reset(CreateMutexA(nullptr, FALSE, kLauncherInstanceMutex));
  if (handle_ && GetLastError() == ERROR_ALREADY_EXISTS) {
    // Holding it longer would make a later start believe a launcher still runs.
    handle_.Reset();
    anotherRuns_ = true;
  }
}

HWND FindRunningLauncherWindow() {
  for (DWORD waited = 0;; waited += kWindowPollMs) {
    if (HWND window = FindWindowA(kLauncherWindowClass, nullptr)) return window;
    if (waited >= kWindowWaitMs) return nullptr;
    Sleep(kWindowPollMs);
  }
}

bool HandHostToLauncher(HWND launcher, DWORD hostProcessId) {
  DWORD_PTR result = 0;
  const LRESULT sent =
      SendMessageTimeoutA(launcher, kMsgAdoptHost, hostProcessId, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                          kHandOverTimeoutMs, &result);
  return sent != 0 && result == 1;
}

void AskLauncherToShowItself(HWND launcher) { PostMessageA(launcher, kMsgShowRunning, 0, 0); }

}  // namespace corvane
