#include "hooklib/settings/settings_store.h"

#include <cstring>

#include "common/bounded_copy.h"
#include "common/path_rules.h"
#include "common/registry_names.h"
#include "common/unique_handle.h"
#include "common/version_info.h"
#include "common/version_text.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/settings/history_folder_default.h"
#include "hooklib/settings/reminder_policy.h"

namespace corvane {
namespace {

void SetDefaults(SharedSettings& s) {
  s.AlphaIM = 200;
  s.AlphaBL = 230;
  s.AlphaOn = 0;
  s.OpaqueOnTop = 1;
  s.AlphaFadeDown = 1;
  s.CheckVersion = kRemindEveryVersion;
  s.Statistics = 1;
  s.GenButtons = 1;
  s.ListButtons = 1;
  s.ShowBLinTaskbar = 1;
  s.Menu = 1;
  s.Tabs = 1;
  s.RemoveAds = 1;
  s.Logging = 1;
  s.CorvaneProfileLink = 0;
  s.AllowStockTicker = 0;
  s.AllowCloning = 1;
  s.AllowAIMTodayPopup = 0;
  s.HotKey = 0x30041;  // Ctrl+Alt+A
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
  StoreIfMissing(key.Get(), "LogDir", s.LogDir);
  StoreIfMissing(key.Get(), "AppPath", s.AppPath);
}

}  // namespace

RegSettings BindSettings(SharedSettings& s) {
  RegSettings r(HKEY_CURRENT_USER, kSettingsKey);
  r.AddInt(&s.AllowCloning, "AllowCloning");
  r.AddInt(&s.AllowAIMTodayPopup, "AllowAIMTodayPopup");
  r.AddInt(&s.AllowStockTicker, "AllowStockTicker");
  r.AddInt(&s.CorvaneProfileLink, "CorvaneProfileLink");
  r.AddInt(&s.CheckVersion, "CheckVersion");
  r.AddInt(&s.Statistics, "Statistics");
  r.AddInt(&s.RemoveAds, "RemoveAds");
  r.AddInt(&s.ListButtons, "ListButtons");
  r.AddInt(&s.GenButtons, "GenButtons");
  r.AddInt(&s.ShowBLinTaskbar, "ShowBLinTaskbar");
  r.AddInt(&s.Menu, "Menu");
  r.AddInt(&s.Tabs, "Tabs");
  r.AddInt(&s.Logging, "Logging");
  r.AddInt(&s.AlphaFadeDown, "AlphaFadeDown");
  r.AddInt(&s.OpaqueOnTop, "OpaqueOnTop");
  r.AddInt(&s.AlphaOn, "AlphaOn");
  r.AddByte(&s.AlphaIM, "AlphaIM");
  r.AddByte(&s.AlphaBL, "AlphaBL");
  r.AddDword(&s.CheckVersionLastDay, "CheckVersionLastDay");
  r.AddDword(&s.HotKey, "HotKey");
  r.AddString(s.CheckVersionLast, "CheckVersionLast");
  r.AddString(s.LogDir, "LogDir");
  r.AddString(s.AppPath, "AppPath");
  r.AddString(s.Version, "Version");
  return r;
}

bool SaveSettings() {
  SharedSettings settings = CurrentSettings();
  return BindSettings(settings).Save();
}

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
  BindSettings(s).Load();
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
