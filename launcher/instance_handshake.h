// How a start of Corvane.exe finds a launcher that already runs and hands
// it a cloned host, so that only one hook is ever installed.
#pragma once

#include <windows.h>

#include "common/unique_handle.h"

namespace corvane {

// The named mutex that marks the launcher holding the hook.  The first
// launcher keeps it for its lifetime; later starts only look.
class InstanceMutex {
 public:
  InstanceMutex();

  bool AnotherLauncherRuns() const { return anotherRuns_; }

 private:
  KernelHandle handle_;
  bool anotherRuns_ = false;
};

// The running launcher's window.  A launcher that has just taken the mutex
// may not have made its window yet, so this waits a few seconds for it.
HWND FindRunningLauncherWindow();

// Asks the running launcher to wait for this host as well; true when it
// does.  The caller keeps its own process handle open until this returns,
// so the id cannot be reused meanwhile.
bool HandHostToLauncher(HWND launcher, DWORD hostProcessId);

void AskLauncherToShowItself(HWND launcher);

}  // namespace corvane
