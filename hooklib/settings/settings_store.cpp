#include "hooklib/settings/settings_store.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstring>

#include "common/capacities.h"
#include "common/path_rules.h"
#include "common/registry_names.h"
#include "common/unique_handle.h"
#include "common/version_info.h"
#include "hooklib/core/setting_rows.h"
#include "hooklib/core/shared_settings.h"

namespace corvane {
namespace {

std::string ShellFolder(int id) {
  char path[MAX_PATH] = "";
  if (FAILED(SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path)))
    return std::string();
  return path;
}

// Both views of a 64-bit system count: a 32-bit program is shown the x86
// folder as its Program Files.
bool InsideProgramFiles(const char* folder) {
  char native64[MAX_PATH] = "";
  GetEnvironmentVariableA("ProgramW6432", native64, MAX_PATH);
  for (const std::string& programFiles :
       {ShellFolder(CSIDL_PROGRAM_FILES), ShellFolder(CSIDL_PROGRAM_FILESX86),
        std::string(native64)}) {
    if (IsFullyQualifiedPath(programFiles) && PathIsPrefixA(programFiles.c_str(), folder)) {
      return true;
    }
  }
  return false;
}

// Writing a file of our own there (gone again when closed) is the one
// reliable test: the folder's security may grant or refuse in many ways.
bool UserCanWrite(const char* folder) {
  char probe[MAX_PATH] = "";
  const std::string name =
      "~corvane-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
  if (PathCombineA(probe, folder, name.c_str()) == nullptr) return false;
  const KernelHandle file(CreateFileA(
      probe, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
      FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return static_cast<bool>(file);
}

// The history folder the launcher proposes when none is stored:
// "Corvane History" beside the launcher in `launcherFolder`, or in the
// user's documents when the launcher is an installed copy: one inside the
// Program Files folders, or in a folder the user cannot write.
std::string DefaultLogDir(const char* launcherFolder) {
  if (!IsFullyQualifiedPath(launcherFolder)) {
    return DefaultHistoryFolder(launcherFolder, false, std::string());
  }
  const bool installed = InsideProgramFiles(launcherFolder) || !UserCanWrite(launcherFolder);
  return DefaultHistoryFolder(launcherFolder, installed,
                              installed ? ShellFolder(CSIDL_PERSONAL) : std::string());
}

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
