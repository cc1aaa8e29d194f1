#include "common/code_page_characters.h"

#include <gtest/gtest.h>

#include <string>

#include "common/testing/test_code_pages.h"

namespace corvane {
namespace {

// Shift-JIS: "表" 0x95 0x5C, "示" 0x8E 0xA6, "ソ" 0x83 0x5C, "ア" 0x83 0x41.
const std::string kHyo = "\x95\x5C", kJi = "\x8E\xA6", kSo = "\x83\x5C", kA = "\x83\x41";

TEST(CharacterSize, ALeadByteAndItsTrailAreOneCharacter) {
  const LeadBytes sjis = ShiftJisLeadBytes();
  const std::string text = kHyo + "a" + kA;
  EXPECT_EQ(CharacterSize(text, 0, sjis), 2u);
  EXPECT_EQ(CharacterSize(text, 2, sjis), 1u);
  EXPECT_EQ(CharacterSize(text, 3, sjis), 2u);
  EXPECT_EQ(CharacterSize(text, 0, kSingleByteCodePage), 1u);
  // A lead byte that ends the text, or that a byte too low for a trail
  // byte follows, stands alone.
  EXPECT_EQ(CharacterSize("a\x95", 1, sjis), 1u);
  EXPECT_EQ(CharacterSize("\x95/", 0, sjis), 1u);
  EXPECT_EQ(CharacterSize(std::string("\x95\0", 2), 0, sjis), 1u);
}

TEST(HasSingleByteCharacter, TrailBytesAreNotTheCharactersTheyEqual) {
  const LeadBytes sjis = ShiftJisLeadBytes();
  EXPECT_FALSE(HasSingleByteCharacter(kHyo + kJi, "\\/", sjis));
  EXPECT_FALSE(HasSingleByteCharacter("x" + kSo, "\\", sjis));
  EXPECT_TRUE(HasSingleByteCharacter(kHyo + "\\" + kJi, "\\/", sjis));
  EXPECT_TRUE(HasSingleByteCharacter(kHyo + kJi, "\\/", kSingleByteCodePage));
  // After a trail byte of a lead byte's value, scanning goes on in step.
  EXPECT_TRUE(HasSingleByteCharacter("\x81\x95\\", "\\", sjis));
}

TEST(WholeCharactersWithin, NeverCutsACharacterInHalf) {
  const LeadBytes sjis = ShiftJisLeadBytes();
  const std::string text = "ab" + kHyo + kJi;
  EXPECT_EQ(WholeCharactersWithin(text, 6, sjis), 6u);
  EXPECT_EQ(WholeCharactersWithin(text, 5, sjis), 4u);
  EXPECT_EQ(WholeCharactersWithin(text, 3, sjis), 2u);
  EXPECT_EQ(WholeCharactersWithin(text, 3, kSingleByteCodePage), 3u);
  EXPECT_EQ(WholeCharactersWithin(text, 0, sjis), 0u);
  EXPECT_EQ(WholeCharactersWithin(text, 100, sjis), text.size());
}

}  // namespace
}  // namespace corvane
