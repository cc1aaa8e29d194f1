#include "hooklib/history/title_to_buddy_name.h"

#include <gtest/gtest.h>

#include "common/history_naming.h"

namespace corvane {
namespace {

TEST(TitleToBuddyName, CutsAtTheFirstSpacedDash) {
  EXPECT_EQ(TitleToBuddyName("SmarterChild - Instant Message"), "SmarterChild");
  EXPECT_EQ(TitleToBuddyName("a - b - c"), "a");
  EXPECT_EQ(TitleToBuddyName("well-known buddy"), "well-known buddy");
  EXPECT_EQ(TitleToBuddyName("a -b"), "a -b");
}

TEST(TitleToBuddyName, ReplacesOnlyTheFirstColon) {
  EXPECT_EQ(TitleToBuddyName("Chat: room"), "Chat- room");
  EXPECT_EQ(TitleToBuddyName("a:b:c - x"), "a-b:c");
}

TEST(TitleToBuddyName, ReplacedColonCanMakeTheCut) {
  EXPECT_EQ(TitleToBuddyName("room : lobby"), "room");
}

TEST(TitleToBuddyName, KeepsAtMostFortyOneCharacters) {
  const std::string long_name(60, 'x');
  const std::optional<std::string> name = TitleToBuddyName(long_name + " - Instant Message");
  ASSERT_TRUE(name);
  EXPECT_EQ(*name, std::string(kNameCapacity - 1, 'x'));
  EXPECT_EQ(TitleToBuddyName(std::string(41, 'y')), std::string(41, 'y'));
  EXPECT_EQ(TitleToBuddyName(std::string(41, 'y') + " - x"), std::string(41, 'y'));
}

TEST(TitleToBuddyName, CutJustPastTheCapacityStillApplies) {
  // The " - " starts at index 40, so the name ends before the capacity.
  EXPECT_EQ(TitleToBuddyName(std::string(40, 'z') + " - x"), std::string(40, 'z'));
  EXPECT_EQ(TitleToBuddyName(std::string(40, 'z') + " : x"), std::string(40, 'z'));
}

TEST(TitleToBuddyName, LongestReadableTitleGivesTheSameName) {
  const std::string title = std::string(30, 'q') + std::string(kTitleBufferSize * 2, 'r');
  EXPECT_EQ(TitleToBuddyName(title), TitleToBuddyName(title.substr(0, kTitleBufferSize - 2)));
}

TEST(TitleToBuddyName, EmptyTitleGivesNoName) { EXPECT_EQ(TitleToBuddyName(""), std::nullopt); }

TEST(TitleToBuddyName, TitleStartingWithTheCutGivesAnEmptyName) {
  EXPECT_EQ(TitleToBuddyName(" - Instant Message"), "");
  EXPECT_EQ(TitleToBuddyName(" : x"), "");
}

}  // namespace
}  // namespace corvane
