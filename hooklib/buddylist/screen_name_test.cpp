#include "hooklib/buddylist/screen_name.h"

#include <gtest/gtest.h>

#include "common/testing/test_code_pages.h"

namespace corvane {
namespace {

TEST(ScreenNameFromTitle, TakesTheTextBeforeThePossessive) {
  struct Case {
    const char* title;
    std::optional<std::string> name;
  };
  const Case cases[] = {
      {"alice's Buddy List", "alice"},
      {"chris' Buddy List", "chris"},
      {"a' b's c", "a' b"},  // "'s " is looked for first
      {"a's b's c", "a"},    // its first occurrence
      {"'s Buddy List", ""},
      {"Buddy List", std::nullopt},
      {"alice's", std::nullopt},  // no space after the possessive
      {"chris'Buddy", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ScreenNameFromTitle(c.title, kSingleByteCodePage), c.name) << c.title;
}

TEST(ScreenNameFromTitle, KeepsRoomForTheTerminatorOfTheNameBuffer) {
  const std::string fifty(50, 'n');
  EXPECT_EQ(ScreenNameFromTitle(fifty + "'s Buddy List", kSingleByteCodePage),
            std::string(41, 'n'));
  const std::string fortyOne(41, 'm');
  EXPECT_EQ(ScreenNameFromTitle(fortyOne + "' Buddy List", kSingleByteCodePage), fortyOne);
}

TEST(ScreenNameFromTitle, CutsALongDoubleByteNameBetweenCharacters) {
  std::string name;
  for (int i = 0; i < 25; ++i) name += "\x83\x5C";  // "ソ"
  EXPECT_EQ(ScreenNameFromTitle(name + "'s Buddy List", ShiftJisLeadBytes()), name.substr(0, 40));
  EXPECT_EQ(ScreenNameFromTitle("a" + name + "'s Buddy List", ShiftJisLeadBytes()),
            "a" + name.substr(0, 40));
}

}  // namespace
}  // namespace corvane
