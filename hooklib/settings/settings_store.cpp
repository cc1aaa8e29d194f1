#include "hooklib/settings/settings_store.h"

#include <cstring>

#include "common/bounded_copy.h"
#include "common/path_rules.h"
#include "common/registry_names.h"
#include "common/unique_handle.h"
#include "common/version_info.h"
#include "common/version_text.h"
#include "hooklib/core/setting_rows.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/settings/history_folder_default.h"

namespace corvane {
namespace {

void SetDefaults(SharedSettings& s) {
  for (const SettingRow& row : kSettingRows) {
    if (row.byDefault) SetNumber(row, s, *row.byDefault);
  }
}

// "aim.exe", or the path the host registered for itself.
void ComputeAppPath(SharedSettings& s) {
  CopyBounded(s.AppPath, kPathCapacity, "aim.exe");
  RegistryKey key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kHostAppPathKey, 0, KEY_ALL_ACCESS, key.Out()) ==
      ERROR_SUCCESS) {
    ReadTextValue(key.Get(), nullptr, s.AppPath, kPathCapacity);
  }
}

void StoreIfMissing(HKEY key, const char* name, const char* path) {
  if (!IsFullyQualifiedPath(path) ||
      RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) != ERROR_FILE_NOT_FOUND) {
    return;
  }
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(path),
                 static_cast<DWORD>(std::strlen(path) + 1));
}

// A first run stores the folder it writes history into, and the host's
// path when the host gave a full one, so that the History Viewer opens on
// that history without asking even before any save.  Nothing else is
// written, and a stored value is never replaced.
void StoreFirstRunPaths(const SharedSettings& s) {
  RegistryKey key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, key.Out(),
                      nullptr) != ERROR_SUCCESS) {
    return;
  }
  StoreIfMissing(key.Get(), kLogDirValue, s.LogDir);
  StoreIfMissing(key.Get(), kAppPathValue, s.AppPath);
}

}  // namespace

bool SaveSettings() { return SaveStoredSettings(CurrentSettings()); }

}  // namespace corvane

// Computed in a copy of its own and published whole: a messenger that runs
// meanwhile never sees the defaults in place of the stored values.
extern "C" int __cdecl LoadSettingsFromReg() {
  using namespace corvane;
  SharedSettings s = CurrentSettings();
  SetDefaults(s);

  char running[kVersionTextCapacity] = "";
  GetVersionText(running);
  GetVersionString("Comments", s.ReleaseText);

  // A folder name cut to fit would be another folder: none at all then.
  const std::string logDir = DefaultLogDir(s.CurDir);
  CopyBounded(s.LogDir, kPathCapacity, logDir.size() < kPathCapacity ? logDir.c_str() : "");
  ComputeAppPath(s);

  // The record is the session's: another process may have put the running
  // version into it already, and only the registry's value says what ran last.
  s.Version[0] = '\0';
  LoadStoredSettings(s);
  StoreFirstRunPaths(s);

  const int same = std::strcmp(running, s.Version) == 0 ? 1 : 0;
  CopyBounded(s.Version, kPathCapacity, running);
  // The hook handle and the launcher's folder are not settings: as they are now.
  UpdateShared([&s](SharedSettings& live) {
    s.HookHandle = live.HookHandle;
    std::memcpy(s.CurDir, live.CurDir, sizeof s.CurDir);
    live = s;
  });
  return same;
}
