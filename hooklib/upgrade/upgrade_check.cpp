#include "hooklib/upgrade/upgrade_check.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/capacities.h"
#include "common/exception_boundary.h"
#include "common/open_web_address.h"
#include "common/unique_handle.h"
#include "hooklib/core/process_state.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/core/system_clock.h"
#include "hooklib/resources/corvane_resource_ids.h"
#include "hooklib/settings/settings_store.h"
#include "hooklib/upgrade/version_reply.h"

namespace corvane {
namespace {

// Day of the month of the system time (UTC).
unsigned TodayUtcDay() {
  const uint64_t now = SystemTimeNow();
  FILETIME time{static_cast<DWORD>(now & 0xFFFFFFFFu), static_cast<DWORD>(now >> 32)};
  SYSTEMTIME calendar{};
  if (!FileTimeToSystemTime(&time, &calendar)) return 0;
  return calendar.wDay;
}

std::string TextField(const char* field, std::size_t capacity) {
  return std::string(field, strnlen(field, capacity));
}

UpgradeCheckInputs ReadInputs(UpgradeCheckKind kind) {
  UpgradeCheckInputs inputs;
  inputs.askedByUser = kind == kCheckAskedByUser;
  const SharedSettings settings = CurrentSettings();
  inputs.checkVersion = settings.CheckVersion;
  inputs.todayUtcDay = TodayUtcDay();
  inputs.lastCheckDay = settings.CheckVersionLastDay;
  inputs.runningVersion = TextField(settings.Version, sizeof settings.Version);
  inputs.lastSeenVersion = TextField(settings.CheckVersionLast, sizeof settings.CheckVersionLast);
  return inputs;
}

// Whoever answered the request wrote the reply: only a page of the maker's
// own hosts is opened, never a program or a file on this machine.
void OpenDownloadAddress(const std::string& reply) {
  OpenWebAddress(nullptr, DownloadAddressFromReply(GetVersionInfoField(reply, kFieldDownloadAddress,
                                                                       kDownloadAddressCapacity)));
}

// Modal on this thread, owned by no window.
void ShowUpgradeMonitor(const char* replyText, const std::string& reply) {
  const INT_PTR result =
      DialogBoxParamA(Process().module, MAKEINTRESOURCEA(IDD_UPGRADE_MONITOR), nullptr,
                      UpgradeDlgProc, reinterpret_cast<LPARAM>(replyText));
  if (result == IDOK) OpenDownloadAddress(reply);
}

void RecordCompletedCheck(const UpgradeCheckDecision& decision) {
  UpdateShared([&decision](SharedSettings& s) {
    CopyBounded(s.CheckVersionLast, kServerVersionCapacity, decision.recordLastSeenVersion.c_str());
    s.CheckVersionLastDay = decision.recordLastCheckDay;
  });
  SaveSettings();
}

void RunCheck(UpgradeCheckKind kind) {
  const UpgradeCheckInputs inputs = ReadInputs(kind);
  if (!ShouldFetchVersionReply(inputs)) return;

  std::vector<char> text(kVersionReplyCapacity, '\0');
  std::size_t length = text.size();
  FetchUrlText(UpdateServerUrl().c_str(), text.data(), length);
  const std::string reply(text.data());

  const UpgradeCheckDecision decision = DecideUpgradeCheck(inputs, reply);
  if (decision.showDialog) ShowUpgradeMonitor(text.data(), reply);
  if (decision.message == UpgradeMessage::kLatestVersion) {
    MessageBoxA(nullptr, kLatestVersionMessage, kUpgradeMonitorCaption, MB_OK);
  }
  if (decision.recordAndSave) RecordCompletedCheck(decision);
}

}  // namespace

// Out of memory the check ends like a failed request, recording nothing.
DWORD WINAPI UpgradeCheckThread(LPVOID kind) {
  RunContained(
      [kind] { RunCheck(static_cast<UpgradeCheckKind>(reinterpret_cast<INT_PTR>(kind))); });
  return 0;
}

void StartUpgradeCheck(UpgradeCheckKind kind) {
  // Nobody waits for it: the handle goes at once, the thread runs on.
  KernelHandle(CreateThread(nullptr, 0, UpgradeCheckThread,
                            reinterpret_cast<LPVOID>(static_cast<INT_PTR>(kind)), 0, nullptr));
}

}  // namespace corvane
