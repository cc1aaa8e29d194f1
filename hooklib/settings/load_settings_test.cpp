#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <map>
#include <string>
#include <thread>

#include "hooklib/core/shared_settings.h"
#include "hooklib/settings/settings_store.h"
#include "hooklib/settings/testing/registry_fixture.h"

namespace corvane {
namespace {

// This test program carries product version 2.2.1.65.
constexpr char kRunningVersion[] = "2.2.1 (build 65)";

std::string ShellFolder(int id) {
  char path[MAX_PATH] = "";
  SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

// The launcher's folder is one of the test's own, as for a copy run from
// wherever it was unpacked.
class LoadSettingsTest : public CleanRegistryTest {
 protected:
  void SetUp() override {
    CleanRegistryTest::SetUp();
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "corvane-load-" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    UseLauncherFolder(folder_);
  }
  void TearDown() override {
    RemoveDirectoryA(folder_.c_str());
    CleanRegistryTest::TearDown();
  }

  static void UseLauncherFolder(const std::string& folder) {
    std::strcpy(Shared().CurDir, folder.c_str());
  }

  // Every value of the settings key, by name.
  static std::map<std::string, std::string> StoredTexts() {
    std::map<std::string, std::string> values;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return values;
    }
    for (DWORD i = 0;; ++i) {
      char name[256], data[MAX_PATH] = "";
      DWORD nameLen = sizeof name, size = sizeof data - 1;
      if (RegEnumValueA(key, i, name, &nameLen, nullptr, nullptr, reinterpret_cast<BYTE*>(data),
                        &size) != ERROR_SUCCESS) {
        break;
      }
      values[name] = data;
    }
    RegCloseKey(key);
    return values;
  }

  std::string folder_;
};

TEST_F(LoadSettingsTest, FirstRunGivesDefaultsAndComputedPaths) {
  Shared().AlphaIM = 1;
  Shared().AllowStockTicker = 1;
  EXPECT_EQ(LoadSettingsFromReg(), 0);
  const SharedSettings& s = Shared();
  EXPECT_EQ(s.AlphaIM, 200);
  EXPECT_EQ(s.AlphaBL, 230);
  EXPECT_EQ(s.AlphaOn, 0);
  EXPECT_EQ(s.OpaqueOnTop, 1);
  EXPECT_EQ(s.AlphaFadeDown, 1);
  EXPECT_EQ(s.CheckVersion, 0);
  EXPECT_EQ(s.Statistics, 1);
  EXPECT_EQ(s.RemoveAds, 1);
  EXPECT_EQ(s.ListButtons, 1);
  EXPECT_EQ(s.GenButtons, 1);
  EXPECT_EQ(s.Logging, 1);
  EXPECT_EQ(s.HotKey, 0x30041u);
  EXPECT_EQ(s.CorvaneProfileLink, 0);
  EXPECT_EQ(s.AllowStockTicker, 0);
  EXPECT_EQ(s.AllowAIMTodayPopup, 0);
  EXPECT_EQ(s.AllowCloning, 1);
  EXPECT_EQ(s.ShowBLinTaskbar, 1);
  EXPECT_EQ(s.Menu, 1);
  EXPECT_EQ(s.Tabs, 1);
  EXPECT_EQ(std::string(s.LogDir), folder_ + "\\Corvane History");
  EXPECT_STREQ(s.AppPath, "aim.exe");
  EXPECT_STREQ(s.Version, kRunningVersion);
  EXPECT_STREQ(s.ReleaseText, "[ 06.10.2002 ]");
}

// Windows would redirect the history of an installed copy out of sight, and
// a messenger run as administrator would not be redirected at all.
TEST_F(LoadSettingsTest, AnInstalledCopyProposesHistoryInTheUsersDocuments) {
  const std::string documents = ShellFolder(CSIDL_PERSONAL);
  ASSERT_FALSE(documents.empty());
  UseLauncherFolder(ShellFolder(CSIDL_PROGRAM_FILES) + "\\Corvane");
  LoadSettingsFromReg();
  EXPECT_EQ(std::string(Shared().LogDir), documents + "\\Corvane History");

  // A folder the user cannot write into (here one that is not there).
  Wipe();
  UseLauncherFolder(folder_ + "\\gone");
  LoadSettingsFromReg();
  EXPECT_EQ(std::string(Shared().LogDir), documents + "\\Corvane History");
}

// The viewer opens on the history of a first session even when nothing
// was ever saved.
TEST_F(LoadSettingsTest, AFirstRunStoresTheFolderItChoseAndTheHostsFullPath) {
  const char hostPath[] = "C:\\Messenger\\aim.exe";
  WriteValue(kHostAppPathKey, nullptr, REG_SZ, hostPath, sizeof hostPath);
  LoadSettingsFromReg();
  const std::map<std::string, std::string> expected = {{"LogDir", folder_ + "\\Corvane History"},
                                                       {"AppPath", hostPath}};
  EXPECT_EQ(StoredTexts(), expected);
}

TEST_F(LoadSettingsTest, AFirstRunNeverReplacesAStoredPathNorStoresAHostWithoutFolder) {
  WriteString("LogDir", "D:\\Logs");
  LoadSettingsFromReg();
  const std::map<std::string, std::string> onlyTheStoredOne = {{"LogDir", "D:\\Logs"}};
  EXPECT_EQ(StoredTexts(), onlyTheStoredOne);

  Wipe();
  UseLauncherFolder("");
  LoadSettingsFromReg();
  EXPECT_STREQ(Shared().LogDir, "Corvane History");
  EXPECT_TRUE(StoredTexts().empty()) << "a folder that depends on the current one is not stored";
}

TEST_F(LoadSettingsTest, HostRegistrationGivesAppPath) {
  const char path[] = "C:\\Messenger\\aim.exe";
  WriteValue(kHostAppPathKey, nullptr, REG_SZ, path, sizeof path);
  LoadSettingsFromReg();
  EXPECT_STREQ(Shared().AppPath, path);
}

TEST_F(LoadSettingsTest, StoredValuesOverrideDefaultsAndComputedOnes) {
  const char hostPath[] = "C:\\Messenger\\aim.exe";
  WriteValue(kHostAppPathKey, nullptr, REG_SZ, hostPath, sizeof hostPath);
  WriteString("LogDir", "D:\\Logs");
  WriteString("AppPath", "E:\\other\\aim.exe");
  WriteDword("RemoveAds", 0);
  WriteDword("AllowStockTicker", 1);
  const BYTE alpha = 17;
  WriteValue(kSettingsKey, "AlphaIM", REG_BINARY, &alpha, 1);
  LoadSettingsFromReg();
  EXPECT_STREQ(Shared().LogDir, "D:\\Logs");
  EXPECT_STREQ(Shared().AppPath, "E:\\other\\aim.exe");
  EXPECT_EQ(Shared().RemoveAds, 0);
  EXPECT_EQ(Shared().AllowStockTicker, 1);
  EXPECT_EQ(Shared().AlphaIM, 17);
  EXPECT_EQ(Shared().AlphaBL, 230);
}

TEST_F(LoadSettingsTest, ResultTellsWhetherTheStoredVersionIsTheRunningOne) {
  WriteString("Version", kRunningVersion);
  EXPECT_EQ(LoadSettingsFromReg(), 1);

  WriteString("Version", "2.2 (build 60)");
  EXPECT_EQ(LoadSettingsFromReg(), 0);
  EXPECT_STREQ(Shared().Version, kRunningVersion);
  // The registry learns the new version only with a save.
  EXPECT_EQ(LoadSettingsFromReg(), 0);
  ASSERT_TRUE(SaveSettings());
  EXPECT_EQ(LoadSettingsFromReg(), 1);
}

TEST_F(LoadSettingsTest, SaveAfterTwoLoadsWritesExactly24Values) {
  LoadSettingsFromReg();
  LoadSettingsFromReg();
  ASSERT_TRUE(SaveSettings());

  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  std::map<DWORD, int> byType;
  std::map<std::string, DWORD> sizes;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameLen = sizeof name, type = 0, size = 0;
    if (RegEnumValueA(key, i, name, &nameLen, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
      break;
    }
    ++byType[type];
    sizes[name] = size;
  }
  RegCloseKey(key);
  EXPECT_EQ(byType[REG_DWORD], 18);
  EXPECT_EQ(byType[REG_BINARY], 2);
  EXPECT_EQ(byType[REG_SZ], 4);
  EXPECT_EQ(byType.size(), 3u);
  EXPECT_EQ(sizes["AlphaIM"], 1u);
  EXPECT_EQ(sizes["AlphaBL"], 1u);
  EXPECT_EQ(sizes["CheckVersionLast"], 1u);
  EXPECT_EQ(sizes.count("CurDir"), 0u);
}

TEST_F(LoadSettingsTest, MinusOneIsStoredAsAllOnesAndReadBack) {
  LoadSettingsFromReg();
  Shared().CheckVersion = -1;
  ASSERT_TRUE(SaveSettings());
  DWORD raw = 0, size = sizeof raw;
  ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, "CheckVersion", RRF_RT_REG_DWORD, nullptr,
                         &raw, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(raw, 0xFFFFFFFFu);
  Shared().CheckVersion = 0;
  LoadSettingsFromReg();
  EXPECT_EQ(Shared().CheckVersion, -1);
}

TEST_F(LoadSettingsTest, OversizedOrWrongTypedValuesStayInTheirFields) {
  WriteString("LogDir", std::string(400, 'L'));
  WriteDword("AlphaBL", 0x01020304);
  WriteString("Tabs", "0");
  LoadSettingsFromReg();
  EXPECT_EQ(std::string(Shared().LogDir), folder_ + "\\Corvane History");
  EXPECT_EQ(Shared().AlphaBL, 230);
  // '0' and its NUL over the low bytes of the default 1.
  EXPECT_EQ(Shared().Tabs, 0x0030);
  EXPECT_EQ(Shared().CurDir[sizeof Shared().CurDir - 1], '\0');
}

// A launcher started beside a running messenger once put the defaults
// (logging on, the default folder) into the record before reading the
// registry: a messenger logged in that moment where it must not.
TEST_F(LoadSettingsTest, AReaderNeverSeesTheDefaultsWhileALauncherLoads) {
  const std::string stored = folder_ + "\\Elsewhere";
  WriteDword("Logging", 0);
  WriteString("LogDir", stored);
  LoadSettingsFromReg();
  std::atomic<bool> done{false};
  std::atomic<int> wrong{0}, reads{0};
  std::thread messenger([&] {
    while (!done) {
      const SharedSettings seen = CurrentSettings();
      if (seen.Logging != 0 || stored != seen.LogDir || Shared().Logging != 0) ++wrong;
      ++reads;
    }
  });
  for (int i = 0; i < 300; ++i) LoadSettingsFromReg();
  done = true;
  messenger.join();
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(reads, 0);
  ASSERT_TRUE(SaveSettings());
  EXPECT_EQ(StoredTexts()["LogDir"], stored);
  DWORD logging = 1, size = sizeof logging;
  ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, "Logging", RRF_RT_REG_DWORD, nullptr,
                         &logging, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(logging, 0u);
}

}  // namespace
}  // namespace corvane
