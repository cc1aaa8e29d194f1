#include "hooklib/settings/settings_store.h"

#include <cstring>
#include <string>
#include <type_traits>
#include <variant>

#include "hooklib/core/setting_rows.h"
#include "hooklib/settings/testing/registry_fixture.h"

namespace corvane {
namespace {

using RegSettingsTest = CleanRegistryTest;

TEST_F(RegSettingsTest, LoadWithoutKeyChangesNothing) {
  SharedSettings record{};
  record.Tabs = 7;
  EXPECT_FALSE(LoadStoredSettings(record));
  EXPECT_EQ(record.Tabs, 7);
}

// A row bound to the wrong field or width, or two rows of one value, would
// bring some field back changed.
TEST_F(RegSettingsTest, EveryRowComesBackAsSaved) {
  SharedSettings saved, loaded;
  std::memset(&saved, 0, sizeof saved);  // the padding too, for the comparison
  std::memset(&loaded, 0, sizeof loaded);
  int next = 1;
  for (const SettingRow& row : kSettingRows) {
    std::visit(
        [&](auto member) {
          auto& field = saved.*member;
          if constexpr (std::is_array_v<std::remove_reference_t<decltype(field)>>) {
            std::strcpy(field, ("text " + std::to_string(next)).c_str());
          }
        },
        row.field);
    SetNumber(row, saved, next++);
  }
  saved.CheckVersion = -1;  // stored as 0xFFFFFFFF
  ASSERT_TRUE(SaveStoredSettings(saved));

  ASSERT_TRUE(LoadStoredSettings(loaded));
  EXPECT_EQ(std::memcmp(&loaded, &saved, sizeof saved), 0);
}

TEST_F(RegSettingsTest, OversizedValuesNeverOverrunTheirField) {
  SharedSettings record{};
  std::strcpy(record.LogDir, "old");
  record.AlphaIM = 9;
  WriteString(kLogDirValue, std::string(300, 'x'));
  WriteDword(kAlphaImValue, 0x11223344);
  ASSERT_TRUE(LoadStoredSettings(record));
  EXPECT_STREQ(record.LogDir, "old");
  EXPECT_EQ(record.AlphaIM, 9);

  WriteString(kLogDirValue, std::string(kPathCapacity, 'y'));  // no room for the NUL
  ASSERT_TRUE(LoadStoredSettings(record));
  EXPECT_STREQ(record.LogDir, "old");

  WriteString(kLogDirValue, std::string(kPathCapacity - 1, 'z'));
  ASSERT_TRUE(LoadStoredSettings(record));
  EXPECT_EQ(std::string(record.LogDir), std::string(kPathCapacity - 1, 'z'));
}

TEST_F(RegSettingsTest, TextStoredWithoutItsNulIsTerminated) {
  SharedSettings record{};
  std::memset(record.AppPath, 'q', sizeof record.AppPath - 1);
  WriteValue(kSettingsKey, kAppPathValue, REG_SZ, "abc", 3);
  ASSERT_TRUE(LoadStoredSettings(record));
  EXPECT_STREQ(record.AppPath, "abc");
}

}  // namespace
}  // namespace corvane
