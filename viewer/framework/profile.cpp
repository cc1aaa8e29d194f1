#include "viewer/framework/profile.h"

#include <windows.h>
#include "common/unique_handle.h"

#include <cstdio>

namespace corvane {

std::string ProfileKeyPath(const ProfileStore& store, const char* section) {
  return "Software\\" + store.company + "\\" + store.appName + "\\" + section;
}

std::string ProfileIniFile(const ProfileStore& store) { return store.appName + ".ini"; }

namespace {

int ReadRegistryInt(const ProfileStore& store, const char* section, const char* entry,
                    int defaultValue) {
  RegistryKey key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, ProfileKeyPath(store, section).c_str(), 0, KEY_QUERY_VALUE,
                    key.Out()) != ERROR_SUCCESS) {
    return defaultValue;
  }
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof(value);
  const LONG result =
      RegQueryValueExA(key.Get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value)) {
    return defaultValue;
  }
  return static_cast<int>(value);
}

bool WriteRegistryInt(const ProfileStore& store, const char* section, const char* entry,
                      int value) {
  RegistryKey key;
  // Creates the company, application and (nested) section keys as needed.
  if (RegCreateKeyExA(HKEY_CURRENT_USER, ProfileKeyPath(store, section).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.Out(),
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const DWORD data = static_cast<DWORD>(value);
  const LONG result = RegSetValueExA(key.Get(), entry, 0, REG_DWORD,
                                     reinterpret_cast<const BYTE*>(&data), sizeof(data));
  return result == ERROR_SUCCESS;
}

}  // namespace

int ReadProfileInt(const ProfileStore& store, const char* section, const char* entry,
                   int defaultValue) {
  if (!store.company.empty()) {
    return ReadRegistryInt(store, section, entry, defaultValue);
  }
  return static_cast<int>(
      GetPrivateProfileIntA(section, entry, defaultValue, ProfileIniFile(store).c_str()));
}

bool WriteProfileInt(const ProfileStore& store, const char* section, const char* entry, int value) {
  if (!store.company.empty()) {
    return WriteRegistryInt(store, section, entry, value);
  }
  char text[16];
  std::snprintf(text, sizeof(text), "%d", value);
  return WritePrivateProfileStringA(section, entry, text, ProfileIniFile(store).c_str()) != FALSE;
}

}  // namespace corvane
