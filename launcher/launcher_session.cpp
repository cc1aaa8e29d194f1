#include "launcher/launcher_session.h"

#include <utility>

#include "launcher/host_processes.h"
#include "launcher/launcher_texts.h"
#include "launcher/message_boxes.h"

namespace corvane {

void OpenPreferences(LauncherSession& session) {
  if (session.preferencesOpen) return;
  session.preferencesOpen = true;
  session.hooks.doPrefDlg();
  session.preferencesOpen = false;
}

void StartAnotherHost(LauncherSession& session) {
  if (!session.hooks.getAllowCloning()) {
    ShowNotificationWithoutWaiting(kCloningSwitchedOffText);
    return;
  }
  if (session.hosts.Full()) {
    ShowErrorWithoutWaiting(kTooManyHostsText);
    return;
  }
  const std::string appPath = ReadHostPathSetting();
  if (!CanStartHostFrom(appPath)) {
    ShowErrorWithoutWaiting(HostPathUnusableText(appPath));
    return;
  }
  StartedHost host;
  DWORD error = 0;
  if (!StartHost(appPath, &host, &error)) {
    ShowErrorWithoutWaiting(HostStartFailedText(appPath, SystemErrorText(error)));
    return;
  }
  session.hosts.Add(std::move(host.process));
}

bool AdoptHost(LauncherSession& session, DWORD processId) { return session.hosts.Adopt(processId); }

void ShowAlreadyRunning() { ShowNotificationWithoutWaiting(kAlreadyRunningText); }

}  // namespace corvane
