#include "viewer/app/viewer_registry.h"

#include <windows.h>

#include "common/capacities.h"
#include "common/path_rules.h"
#include "common/registry_names.h"
#include "common/unique_handle.h"

namespace corvane {

std::string ReadLogDirSetting() {
  RegistryKey key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_ALL_ACCESS, key.Out()) !=
      ERROR_SUCCESS) {
    return std::string();
  }
  char folder[kPathCapacity] = {};
  DWORD size = sizeof folder;
  RegQueryValueExA(key.Get(), kLogDirValue, nullptr, nullptr, reinterpret_cast<BYTE*>(folder),
                   &size);
  // A value that fills the whole buffer comes without its NUL.
  folder[kPathCapacity - 1] = '\0';
  // A relative folder would be resolved against the viewer's own current
  // folder, not where the messenger writes: no folder, so the viewer asks.
  return IsFullyQualifiedPath(folder) ? folder : std::string();
}

bool ProductKeyExists() {
  char value[kPathCapacity];
  LONG size = sizeof value;
  return RegQueryValueA(HKEY_CURRENT_USER, kSettingsKey, value, &size) == ERROR_SUCCESS;
}

}  // namespace corvane
