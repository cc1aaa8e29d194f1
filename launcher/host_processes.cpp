#include "launcher/host_processes.h"

#include <utility>

#include "launcher/launch_rules.h"

namespace corvane {
namespace {

// One wait covers at most MAXIMUM_WAIT_OBJECTS handles; the message queue
// takes one of them.
constexpr size_t kMaxHosts = MAXIMUM_WAIT_OBJECTS - 1;

void DispatchPendingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace

bool StartHost(const std::string& appPath, StartedHost* host, DWORD* error) {
  const HostLaunch launch = PlanHostLaunch(appPath);
  std::vector<char> commandLine(launch.commandLine.begin(), launch.commandLine.end());
  commandLine.push_back('\0');
  const char* folder = launch.workingFolder.empty() ? nullptr : launch.workingFolder.c_str();

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder,
                      &startup, &process)) {
    *error = GetLastError();
    return false;
  }
  const KernelHandle thread(process.hThread);
  host->process.Reset(process.hProcess);
  host->processId = process.dwProcessId;
  return true;
}

void HostProcessSet::Add(KernelHandle process) { processes_.push_back(std::move(process)); }

bool HostProcessSet::Adopt(DWORD processId) {
  if (Full()) return false;
  KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  if (!process) return false;
  processes_.push_back(std::move(process));
  return true;
}

bool HostProcessSet::Full() const { return processes_.size() >= kMaxHosts; }

void HostProcessSet::WaitForAllHostsPumpingMessages(const bool& stopRequested) {
  while (!processes_.empty() && !stopRequested) {
    std::vector<HANDLE> waiting;
    for (const KernelHandle& process : processes_) waiting.push_back(process.Get());
    const DWORD count = static_cast<DWORD>(waiting.size());
    const DWORD woken = MsgWaitForMultipleObjectsEx(count, waiting.data(), INFINITE, QS_ALLINPUT,
                                                    MWMO_INPUTAVAILABLE);
    if (woken < WAIT_OBJECT_0 + count) {
      Remove(woken - WAIT_OBJECT_0);
    } else if (woken == WAIT_OBJECT_0 + count) {
      DispatchPendingMessages();
    } else {
      return;  // the wait itself failed; waiting again would spin
    }
  }
}

void HostProcessSet::Remove(size_t index) {
  processes_.erase(processes_.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace corvane
