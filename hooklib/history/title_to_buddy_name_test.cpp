#include "hooklib/history/title_to_buddy_name.h"

#include <gtest/gtest.h>

#include "common/history_naming.h"
#include "common/testing/test_code_pages.h"

namespace corvane {
namespace {

TEST(TitleToBuddyName, CutsAtTheFirstSpacedDash) {
  EXPECT_EQ(TitleToBuddyName("SmarterChild - Instant Message", kSingleByteCodePage),
            "SmarterChild");
  EXPECT_EQ(TitleToBuddyName("a - b - c", kSingleByteCodePage), "a");
  EXPECT_EQ(TitleToBuddyName("well-known buddy", kSingleByteCodePage), "well-known buddy");
  EXPECT_EQ(TitleToBuddyName("a -b", kSingleByteCodePage), "a -b");
}

TEST(TitleToBuddyName, ReplacesOnlyTheFirstColon) {
  EXPECT_EQ(TitleToBuddyName("Chat: room", kSingleByteCodePage), "Chat- room");
  EXPECT_EQ(TitleToBuddyName("a:b:c - x", kSingleByteCodePage), "a-b:c");
}

TEST(TitleToBuddyName, ReplacedColonCanMakeTheCut) {
  EXPECT_EQ(TitleToBuddyName("room : lobby", kSingleByteCodePage), "room");
}

TEST(TitleToBuddyName, KeepsAtMostFortyOneCharacters) {
  const std::string longName(60, 'x');
  const std::optional<std::string> name =
      TitleToBuddyName(longName + " - Instant Message", kSingleByteCodePage);
  ASSERT_TRUE(name);
  EXPECT_EQ(*name, std::string(kNameCapacity - 1, 'x'));
  EXPECT_EQ(TitleToBuddyName(std::string(41, 'y'), kSingleByteCodePage), std::string(41, 'y'));
  EXPECT_EQ(TitleToBuddyName(std::string(41, 'y') + " - x", kSingleByteCodePage),
            std::string(41, 'y'));
}

TEST(TitleToBuddyName, CutJustPastTheCapacityStillApplies) {
  // The " - " starts at index 40, so the name ends before the capacity.
  EXPECT_EQ(TitleToBuddyName(std::string(40, 'z') + " - x", kSingleByteCodePage),
            std::string(40, 'z'));
  EXPECT_EQ(TitleToBuddyName(std::string(40, 'z') + " : x", kSingleByteCodePage),
            std::string(40, 'z'));
}

TEST(TitleToBuddyName, LongestReadableTitleGivesTheSameName) {
  const std::string title = std::string(30, 'q') + std::string(kTitleBufferSize * 2, 'r');
  EXPECT_EQ(TitleToBuddyName(title, kSingleByteCodePage),
            TitleToBuddyName(title.substr(0, kTitleBufferSize - 2), kSingleByteCodePage));
}

TEST(TitleToBuddyName, EmptyTitleGivesNoName) {
  EXPECT_EQ(TitleToBuddyName("", kSingleByteCodePage), std::nullopt);
}

TEST(TitleToBuddyName, TitleStartingWithTheCutGivesAnEmptyName) {
  EXPECT_EQ(TitleToBuddyName(" - Instant Message", kSingleByteCodePage), "");
  EXPECT_EQ(TitleToBuddyName(" : x", kSingleByteCodePage), "");
}

TEST(TitleToBuddyName, CutsALongDoubleByteNameBetweenCharacters) {
  std::string name = "x";
  for (int i = 0; i < 25; ++i) name += "\x95\x5C";
  EXPECT_EQ(TitleToBuddyName(name + " - Instant Message", ShiftJisLeadBytes()), name.substr(0, 41));
  EXPECT_EQ(TitleToBuddyName(name.substr(1), ShiftJisLeadBytes()), name.substr(1, 40));
  EXPECT_EQ(TitleToBuddyName("\x95\x5C\x8E\xA6 - Instant Message", ShiftJisLeadBytes()),
            "\x95\x5C\x8E\xA6");
}

}  // namespace
}  // namespace corvane
