#include "hooklib/core/settings_mapping_rules.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr char kSid[] = "S-1-5-21-3623811015-3361044348-30300820-1013";

TEST(SettingsMappingName, IsTheUsersAndTheLayoutsNameInTheSessionsNamespace) {
  constexpr RecordLayout kLayout{1, 1876};
  EXPECT_EQ(SettingsMappingName(kSid, kLayout),
            "Local\\Corvane.Settings.1-1876.S-1-5-21-3623811015-3361044348-30300820-1013");
  EXPECT_EQ(SettingsWritersMutexName(kSid, kLayout),
            "Local\\Corvane.SettingsWriters.1-1876.S-1-5-21-3623811015-3361044348-30300820-1013");
  EXPECT_NE(SettingsMappingName("S-1-5-21-1-2-3-1001", kLayout),
            SettingsMappingName("S-1-5-21-1-2-3-1002", kLayout));
  EXPECT_NE(SettingsMappingName(kSid, {2, 1876}), SettingsMappingName(kSid, kLayout));
  EXPECT_NE(SettingsMappingName(kSid, {1, 1880}), SettingsMappingName(kSid, kLayout));
}

TEST(SettingsMappingSecurity, AdmitsTheUserAloneAndRefusesWritesFromBelow) {
  EXPECT_EQ(SettingsMappingSecurity(kSid, true),
            "O:S-1-5-21-3623811015-3361044348-30300820-1013"
            "D:P(A;;GA;;;S-1-5-21-3623811015-3361044348-30300820-1013)"
            "S:(ML;;NW;;;ME)");
  EXPECT_EQ(SettingsMappingSecurity(kSid, false),
            "O:S-1-5-21-3623811015-3361044348-30300820-1013"
            "D:P(A;;GA;;;S-1-5-21-3623811015-3361044348-30300820-1013)");
}

}  // namespace
}  // namespace corvane
