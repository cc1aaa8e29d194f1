#include "hooklib/upgrade/reminder_choice.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace corvane {
namespace {

TEST(ReminderChoiceTest, EntriesInTheirOrder) {
  ASSERT_EQ(std::size(kReminderChoices), 3u);
  EXPECT_EQ(std::string(kReminderChoices[0]), "later.");
  EXPECT_EQ(std::string(kReminderChoices[1]), "next version.");
  EXPECT_EQ(std::string(kReminderChoices[2]), "never.");
}

TEST(ReminderChoiceTest, EachSelectionGivesItsPolicy) {
  EXPECT_EQ(CheckVersionForReminderChoice(0), 0);
  EXPECT_EQ(CheckVersionForReminderChoice(1), 1);
  EXPECT_EQ(CheckVersionForReminderChoice(2), -1);
}

TEST(ReminderChoiceTest, NoSelectionMeansNever) {
  EXPECT_EQ(CheckVersionForReminderChoice(-1), -1);  // CB_ERR
  EXPECT_EQ(CheckVersionForReminderChoice(3), -1);
}

}  // namespace
}  // namespace corvane
