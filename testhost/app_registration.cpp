#include "testhost/app_registration.h"

#include <windows.h>

#include "common/registry_names.h"
#include "common/unique_handle.h"

namespace testhost {

bool RegisterAppPath(std::string* path, std::string* error) {
  char module[MAX_PATH] = "";
  DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
  if (length == 0 || length >= sizeof module) {
    *error = "cannot read the executable's path";
    return false;
  }
  *path = module;
  corvane::RegistryKey key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, corvane::kHostAppPathKey, 0, nullptr, 0, KEY_SET_VALUE,
                      nullptr, key.Out(), nullptr) != ERROR_SUCCESS) {
    *error = "cannot create the AppPath key";
    return false;
  }
  LONG status = RegSetValueExA(key.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(module),
                               length + 1);
  if (status != ERROR_SUCCESS) *error = "cannot write the AppPath value";
  return status == ERROR_SUCCESS;
}

}  // namespace testhost
