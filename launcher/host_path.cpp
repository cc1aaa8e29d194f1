#include "launcher/host_processes.h"

#include <windows.h>

#include "common/capacities.h"
#include "common/registry_names.h"
#include "common/unique_handle.h"
#include "launcher/launch_rules.h"

namespace corvane {
namespace {

// A text value, at most the settings' path capacity; false when missing.
bool ReadText(const char* keyPath, const char* name, std::string* text) {
  RegistryKey key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_QUERY_VALUE, key.Out()) != ERROR_SUCCESS) {
    return false;
  }
  char value[kPathCapacity + 1] = {};
  DWORD size = kPathCapacity;
  DWORD type = 0;
  const bool read = RegQueryValueExA(key.Get(), name, nullptr, &type,
                                     reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
                    (type == REG_SZ || type == REG_EXPAND_SZ);
  if (read) *text = value;
  return read;
}

}  // namespace

std::string ReadHostPathSetting() {
  std::string path;
  if (ReadText(kSettingsKey, kAppPathValue, &path) || ReadText(kHostAppPathKey, nullptr, &path)) {
    return path;
  }
  return "aim.exe";
}

bool CanStartHostFrom(const std::string& appPath) {
  const std::string program = PlanHostLaunch(appPath).program;
  const DWORD attributes = GetFileAttributesA(program.c_str());
  const bool exists =
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  return IsStartableHostPath(appPath, exists);
}

}  // namespace corvane
