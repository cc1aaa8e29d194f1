// Corvane.exe: installs the hook library's window hook for as long as the
// host messengers it started are running.
#include <windows.h>

#include <string>
#include <utility>

#include "common/launch_failure_texts.h"
#include "launcher/hook_library.h"
#include "launcher/host_processes.h"
#include "launcher/instance_handshake.h"
#include "launcher/launch_rules.h"
#include "launcher/launcher_protocol.h"
#include "launcher/launcher_session.h"
#include "launcher/launcher_texts.h"
#include "launcher/message_boxes.h"

namespace corvane {
namespace {

std::string OwnFolder() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return FolderOfPath(path);
}

// Starts the host or tells the user why not.
bool StartHostOrReport(const std::string& appPath, StartedHost* host) {
  if (!CanStartHostFrom(appPath)) {
    ShowError(HostPathUnusableText(appPath));
    return false;
  }
  DWORD error = 0;
  if (StartHost(appPath, host, &error)) return true;
  ShowError(HostStartFailedText(appPath, SystemErrorText(error)));
  return false;
}

// The host's path, set in the preferences first when it cannot be used:
// the launcher has nothing to look after without a host.
std::string HostPathAskingOnce(LauncherSession& session) {
  const std::string appPath = ReadHostPathSetting();
  if (CanStartHostFrom(appPath)) return appPath;
  ShowError(HostPathUnusableText(appPath));
  OpenPreferences(session);
  return ReadHostPathSetting();
}

// With the hook installed: the launcher window, the first host, and the
// wait for every host.  The window outlives the hook, as the tray icon goes last.
int RunHooked(HINSTANCE instance, const HookLibrary& hooks, HHOOK hook) {
  HostProcessSet hosts;
  LauncherSession session{hooks, hosts};
  HWND window = CreateLauncherWindow(instance, &session);

  int exitCode = kExitOk;
  StartedHost host;
  const std::string appPath = HostPathAskingOnce(session);
  if (CanStartHostFrom(appPath) && StartHostOrReport(appPath, &host)) {
    hosts.Add(std::move(host.process));
    hosts.WaitForAllHostsPumpingMessages(session.exitRequested);
  } else {
    exitCode = kExitHostNotStarted;
  }

  UnhookWindowsHookEx(hook);
  hooks.shutdown();
  if (window) DestroyWindow(window);
  return exitCode;
}

// The first launcher: settings, hook, host, and the wait.
int RunLauncher(HINSTANCE instance, const HookLibrary& hooks, const std::string& ownFolder) {
  hooks.setCurDir(ownFolder.c_str());
  hooks.loadSettingsFromReg();
  HHOOK hook = SetWindowsHookExA(WH_CBT, hooks.cbtProc, hooks.module, 0);
  if (!hook) {
    ShowError(HookInstallFailedText(SystemErrorText(GetLastError())));
    return kExitLibraryUnusable;
  }
  hooks.init(hook);
  return RunHooked(instance, hooks, hook);
}

// A host that the running launcher would not take: the user is told, and
// this process waits for it, so that no host is left without a launcher.
void WaitForHostNobodyTook(KernelHandle process) {
  ShowError(kCloneLaunchError);
  HostProcessSet hosts;
  hosts.Add(std::move(process));
  const bool stopRequested = false;
  hosts.WaitForAllHostsPumpingMessages(stopRequested);
}

// A "-clone" start beside a running launcher: one more host, handed over.
// The settings are already in the library's shared record, and the hook is
// the running launcher's, so this process touches neither.  Without the
// launcher's window no host is started.
int HandCloneToLauncher() {
  HWND launcher = FindRunningLauncherWindow();
  if (!launcher) {
    ShowError(kCloneLaunchError);
    return kExitHandOverFailed;
  }
  StartedHost host;
  if (!StartHostOrReport(ReadHostPathSetting(), &host)) return kExitHostNotStarted;
  if (!HandHostToLauncher(launcher, host.processId)) {
    WaitForHostNobodyTook(std::move(host.process));
    return kExitHandOverFailed;
  }
  return kExitOk;
}

int ShowRunningLauncher() {
  if (HWND launcher = FindRunningLauncherWindow()) AskLauncherToShowItself(launcher);
  return kExitOk;
}

int Run(HINSTANCE instance, const char* arguments) {
  const bool cloneRequested = CommandLineRequestsClone(arguments ? arguments : "");
  const std::string ownFolder = OwnFolder();
  const std::string libraryPath = JoinPath(ownFolder, kHookLibraryFileName);

  HookLibrary hooks;
  std::string error;
  if (!LoadHookLibrary(libraryPath, &hooks, &error) ||
      !LibraryVersionMatches(libraryPath, &error)) {
    ShowError(error);
    return kExitLibraryUnusable;
  }

  InstanceMutex instanceMutex;
  const bool launcherRunning = instanceMutex.AnotherLauncherRuns();
  // Only a running launcher has loaded the settings into the shared record.
  const bool cloningAllowed = launcherRunning && hooks.getAllowCloning() != 0;
  switch (DecideStart(cloneRequested, launcherRunning, cloningAllowed)) {
    case StartAction::kRunLauncher:
      return RunLauncher(instance, hooks, ownFolder);
    case StartAction::kHandCloneToLauncher:
      return HandCloneToLauncher();
    case StartAction::kReportCloningSwitchedOff:
      ShowNotification(kCloningSwitchedOffText);
      return kExitCloningSwitchedOff;
    case StartAction::kShowRunningLauncher:
      return ShowRunningLauncher();
  }
  return kExitOk;
}

}  // namespace
}  // namespace corvane

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
  return corvane::Run(instance, arguments);
}
