// Starting host messengers and waiting for them, and where the launcher
// starts the host from, read by the launcher itself.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/unique_handle.h"

namespace corvane {

struct StartedHost {
  KernelHandle process;
  DWORD processId = 0;
};

// Starts the host at appPath in its own folder.  On failure returns false
// with the system's error code in *error.
bool StartHost(const std::string& appPath, StartedHost* host, DWORD* error);

// The hosts a launcher keeps its hook for: its own and the clones handed
// to it.  Owns the process handles.
class HostProcessSet {
 public:
  // The caller checks Full() first.
  void Add(KernelHandle process);
  // Opens the process for waiting and adds it.
  bool Adopt(DWORD processId);
  bool Full() const;

  // Dispatches this thread's messages until every host has exited or a
  // message handler has set stopRequested.  A flag rather than WM_QUIT,
  // because a menu's or dialog's own message loop may swallow WM_QUIT.
  void WaitForAllHostsPumpingMessages(const bool& stopRequested);

 private:
  void Remove(size_t index);

  std::vector<KernelHandle> processes_;
};

// The stored AppPath setting, else the path the host registered for itself,
// else "aim.exe": what the settings record is loaded with, read from the
// registry rather than from a record that other programs of the user can
// write.
std::string ReadHostPathSetting();

// True when `appPath` (quoted or not) is the full path of an existing file.
bool CanStartHostFrom(const std::string& appPath);

}  // namespace corvane
