#include "hooklib/core/reminder_policy.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace corvane {
namespace {

TEST(ReminderMapping, ThreeItemsForThreePolicies) {
  EXPECT_EQ(ReminderIndexFromCheckVersion(0), 0);
  EXPECT_EQ(ReminderIndexFromCheckVersion(1), 1);
  EXPECT_EQ(ReminderIndexFromCheckVersion(-1), 2);
  EXPECT_EQ(ReminderIndexFromCheckVersion(7), 2);
  EXPECT_EQ(ReminderIndexFromCheckVersion(-5), 2);

  EXPECT_EQ(CheckVersionFromReminderIndex(0), 0);
  EXPECT_EQ(CheckVersionFromReminderIndex(1), 1);
  EXPECT_EQ(CheckVersionFromReminderIndex(2), -1);
  EXPECT_EQ(CheckVersionFromReminderIndex(-1), -1);  // no selection
}

// The upgrade dialog's "later.", "next version." and "never." are the same
// three policies; CB_ERR and anything past the list mean never.
TEST(ReminderMapping, UpgradeDialogSelections) {
  EXPECT_EQ(CheckVersionFromReminderIndex(0), kRemindEveryVersion);
  EXPECT_EQ(CheckVersionFromReminderIndex(1), kRemindNextVersion);
  EXPECT_EQ(CheckVersionFromReminderIndex(2), kRemindNever);
  EXPECT_EQ(CheckVersionFromReminderIndex(-1), kRemindNever);  // CB_ERR
  EXPECT_EQ(CheckVersionFromReminderIndex(3), kRemindNever);
}

// The values are stored in the registry and read by older copies.
TEST(ReminderMapping, StoredValuesNeverChange) {
  EXPECT_EQ(kRemindEveryVersion, 0);
  EXPECT_EQ(kRemindNextVersion, 1);
  EXPECT_EQ(kRemindNever, -1);
}

TEST(ReminderChoiceTest, EntriesInTheirOrder) {
  ASSERT_EQ(std::size(kReminderChoices), 3u);
  EXPECT_EQ(std::string(kReminderChoices[0]), "later.");
  EXPECT_EQ(std::string(kReminderChoices[1]), "next version.");
  EXPECT_EQ(std::string(kReminderChoices[2]), "never.");
}

}  // namespace
}  // namespace corvane
