// Test support: the application object the tests' dialogs and profile
// calls need, and the registry key the tests keep their profile under.
#pragma once

#include <windows.h>
#include <shlwapi.h>

#include <optional>
#include <string>

#include "viewer/framework/win_app.h"

namespace corvane {

inline constexpr char kTestCompany[] = "CorvaneFrameworkTest";
inline constexpr char kTestCompanyKey[] = "Software\\CorvaneFrameworkTest";
// The executable is viewer_framework_test.exe, so that is the application name.
inline constexpr char kTestAppKey[] = "Software\\CorvaneFrameworkTest\\viewer_framework_test";

class TestApp : public CWinApp {
 public:
  bool InitInstance() override { return false; }
};

inline void DeleteTestCompanyKey() { SHDeleteKeyA(HKEY_CURRENT_USER, kTestCompanyKey); }

// A REG_DWORD value under HKEY_CURRENT_USER; nullopt when missing or of
// another type.
inline std::optional<int> RegistryDword(const std::string& keyPath, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof(value);
  const LONG result =
      RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof(value)) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

}  // namespace corvane
