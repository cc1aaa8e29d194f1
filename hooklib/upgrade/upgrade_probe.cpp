// Runs one version check as the library does, on this program's main
// thread, with the dialog from the built Corvane.dll beside it:
//   upgrade_probe auto|asked [version=TEXT] [checkversion=N] [last=TEXT]
//                 [lastday=N] [today=N]
// Settings are loaded from the registry first; the arguments then set the
// shared record's Version, CheckVersion, CheckVersionLast and
// CheckVersionLastDay, and today= fixes the UTC day of the system clock.
// Prints "started" before the check and "ran" when it returns, then the
// values it left.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/capacities.h"
#include "common/file_time.h"
#include "hooklib/core/process_state.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/core/system_clock.h"
#include "hooklib/settings/settings_store.h"
#include "hooklib/upgrade/upgrade_check.h"
#include "tests/support/beside_this_program.h"

namespace {

int g_todayUtcDay = 1;

// Noon UTC on the chosen day of December 2026.
uint64_t FixedSystemTime() {
  SYSTEMTIME noon{};
  noon.wYear = 2026;
  noon.wMonth = 12;
  noon.wDay = static_cast<WORD>(g_todayUtcDay);
  noon.wHour = 12;
  FILETIME time{};
  SystemTimeToFileTime(&noon, &time);
  return corvane::FileTimeTicks(time);
}

std::string LibraryPath() { return corvane::BesideThisProgram("Corvane.dll"); }

bool ApplyArgument(const std::string& argument) {
  using corvane::Shared;
  using corvane::UpdateShared;
  const std::size_t equals = argument.find('=');
  if (equals == std::string::npos) return false;
  const std::string name = argument.substr(0, equals);
  const std::string value = argument.substr(equals + 1);
  if (name == "version") {
    UpdateShared([&value](corvane::SharedSettings& s) {
      corvane::CopyBounded(s.Version, sizeof s.Version, value.c_str());
    });
  } else if (name == "checkversion") {
    Shared().CheckVersion = std::atoi(value.c_str());
  } else if (name == "last") {
    UpdateShared([&value](corvane::SharedSettings& s) {
      corvane::CopyBounded(s.CheckVersionLast, sizeof s.CheckVersionLast, value.c_str());
    });
  } else if (name == "lastday") {
    Shared().CheckVersionLastDay = static_cast<DWORD>(std::strtoul(value.c_str(), nullptr, 10));
  } else if (name == "today") {
    g_todayUtcDay = std::atoi(value.c_str());
    corvane::SetSystemTimeSource(FixedSystemTime);
  } else {
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace corvane;
  setvbuf(stdout, nullptr, _IONBF, 0);
  const std::string kind = argc > 1 ? argv[1] : "";
  if (kind != "auto" && kind != "asked") {
    std::fprintf(stderr, "usage: upgrade_probe auto|asked [name=value]...\n");
    return 2;
  }
  Process().module = LoadLibraryA(LibraryPath().c_str());
  if (Process().module == nullptr) {
    std::printf("error no-library\n");
    return 1;
  }
  UpdateShared([](SharedSettings& s) { LoadStoredSettings(s); });
  for (int i = 2; i < argc; ++i) {
    if (!ApplyArgument(argv[i])) {
      std::fprintf(stderr, "unknown argument %s\n", argv[i]);
      return 2;
    }
  }
  std::printf("started\n");
  UpgradeCheckThread(reinterpret_cast<LPVOID>(
      static_cast<INT_PTR>(kind == "asked" ? kCheckAskedByUser : kAutomaticCheck)));
  std::printf("ran\n");
  std::printf("checkversion=%d\n", Shared().CheckVersion);
  std::printf("last=%s\n", Shared().CheckVersionLast);
  std::printf("lastday=%lu\n", static_cast<unsigned long>(Shared().CheckVersionLastDay));
  return 0;
}
