// Test fixture that gives each test a clean settings key and no host
// registration, and puts both back afterwards.
#pragma once

#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>

#include "common/registry_names.h"

namespace corvane {

class CleanRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { Wipe(); }
  void TearDown() override { Wipe(); }

  static void Wipe() {
    SHDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    SHDeleteKeyA(HKEY_CURRENT_USER, kHostAppPathKey);
  }

  static void WriteValue(const char* keyPath, const char* name, DWORD type, const void* data,
                         DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  static void WriteString(const char* name, const std::string& text) {
    WriteValue(kSettingsKey, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
  }
  static void WriteDword(const char* name, DWORD value) {
    WriteValue(kSettingsKey, name, REG_DWORD, &value, sizeof value);
  }
};

}  // namespace corvane
