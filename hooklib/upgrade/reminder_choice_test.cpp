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

}  // namespace
}  // namespace corvane
