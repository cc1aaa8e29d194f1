#include "hooklib/launch/launch.h"

#include <shellapi.h>

#include "hooklib/core/shared_settings.h"

namespace corvane {
namespace {

// The shell reports success with a value above 32.
bool Started(HINSTANCE shellResult) { return reinterpret_cast<INT_PTR>(shellResult) > 32; }

}  // namespace

void LaunchClone() {
  if (!Started(
          ShellExecuteA(nullptr, nullptr, kLauncherFile, "-clone", Shared().CurDir, SW_SHOWNORMAL))) {
    MessageBoxA(nullptr, kCloneLaunchError, kLaunchErrorCaption, MB_OK);
  }
}

void LaunchHistoryViewer(HWND owner, const char* arguments) {
  if (!Started(ShellExecuteA(owner, nullptr, kHistoryViewerFile, arguments, Shared().CurDir,
                             SW_SHOWNORMAL))) {
    MessageBoxA(owner, kHistoryViewerLaunchError, kLaunchErrorCaption, MB_OK);
  }
}

}  // namespace corvane
