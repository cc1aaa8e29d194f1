#include "hooklib/history/folder_name.h"

#include <gtest/gtest.h>

#include "common/history_naming.h"
#include "common/testing/test_code_pages.h"

namespace corvane {
namespace {

constexpr std::uint32_t kReadOnly = 0x01;
constexpr std::uint32_t kHidden = 0x02;
constexpr std::uint32_t kArchive = 0x20;
constexpr std::uint32_t kNormalFile = 0x80;

bool AsciiCaseEqual(const std::string& a, const std::string& b) {
  return EqualIgnoringAsciiCase(a, b, kSingleByteCodePage);
}

std::optional<std::string> Resolve(std::string_view wanted,
                                   const std::vector<FolderEntry>& entries) {
  return ResolveFolderName(wanted, entries, AsciiCaseEqual, kSingleByteCodePage);
}

TEST(ResolveFolderName, TakesAnExistingFolderWhateverItsCaseAndSpaces) {
  EXPECT_EQ(Resolve("John Doe", {{"johndoe", kPlainFolderAttributes}}), "johndoe");
  EXPECT_EQ(Resolve("johndoe", {{"John Doe", kPlainFolderAttributes}}), "John Doe");
  EXPECT_EQ(Resolve("J O H N", {{"  joHN ", kPlainFolderAttributes}}), "  joHN ");
}

TEST(ResolveFolderName, KeepsTheWantedNameWithoutAMatch) {
  EXPECT_EQ(Resolve("John Doe", {}), "John Doe");
  EXPECT_EQ(Resolve("John Doe",
                    {{"Jane Doe", kPlainFolderAttributes}, {"johndoe2", kPlainFolderAttributes}}),
            "John Doe");
}

TEST(ResolveFolderName, TakesTheFirstMatchInListingOrder) {
  EXPECT_EQ(Resolve("ab", {{"x", kPlainFolderAttributes},
                           {"A B", kPlainFolderAttributes},
                           {"ab", kPlainFolderAttributes}}),
            "A B");
}

TEST(ResolveFolderName, SkipsFoldersWithFurtherAttributesAndFiles) {
  const std::vector<FolderEntry> entries = {
      {"johndoe", kPlainFolderAttributes | kReadOnly},
      {"johndoe", kPlainFolderAttributes | kHidden},
      {"johndoe", kPlainFolderAttributes | kArchive},
      {"johndoe", kNormalFile},
      {"johndoe", kArchive},
  };
  EXPECT_EQ(Resolve("John Doe", entries), "John Doe");
}

TEST(ResolveFolderName, CopiesAMatchThatFillsTheBuffer) {
  const std::string longest(kNameCapacity - 1, 'n');
  EXPECT_EQ(Resolve("nnnn", {{"nn  nn", kPlainFolderAttributes}}), "nn  nn");
  const std::string spaced = std::string(20, 'n') + std::string(kNameCapacity - 1 - 20, ' ');
  EXPECT_EQ(Resolve(std::string(20, 'n'), {{spaced, kPlainFolderAttributes}}), spaced);
  EXPECT_EQ(Resolve(longest, {{longest, kPlainFolderAttributes}}), longest);
}

TEST(ResolveFolderName, KeepsTheWantedNameWhenTheMatchIsTooLong) {
  const std::string tooLong = std::string(20, 'n') + std::string(kNameCapacity - 20, ' ');
  ASSERT_EQ(tooLong.size(), kNameCapacity);
  EXPECT_EQ(Resolve(std::string(20, 'n'), {{tooLong, kPlainFolderAttributes},
                                           {"nnnnnnnnnnnnnnnnnnnn", kPlainFolderAttributes}}),
            std::string(20, 'n'));
}

TEST(ResolveFolderName, UsesThePlatformsComparison) {
  const NameEquality exact = [](const std::string& a, const std::string& b) { return a == b; };
  EXPECT_EQ(ResolveFolderName("John Doe", {{"johndoe", kPlainFolderAttributes}}, exact,
                              kSingleByteCodePage),
            "John Doe");
  EXPECT_EQ(ResolveFolderName("John Doe", {{"Jo hnDoe", kPlainFolderAttributes}}, exact,
                              kSingleByteCodePage),
            "Jo hnDoe");
}

TEST(ResolveFolderName, EmptyNameStaysEmpty) {
  EXPECT_EQ(Resolve("", {{".", kPlainFolderAttributes},
                         {"..", kPlainFolderAttributes},
                         {"x", kPlainFolderAttributes}}),
            "");
}

TEST(ResolveFolderName, RefusesNamesThatLeaveTheFolder) {
  const std::vector<FolderEntry> entries = {{".", kPlainFolderAttributes},
                                            {"..", kPlainFolderAttributes}};
  EXPECT_EQ(Resolve(".", entries), std::nullopt);
  EXPECT_EQ(Resolve("..", entries), std::nullopt);
  EXPECT_EQ(Resolve(". .", entries), std::nullopt);
  EXPECT_EQ(Resolve("..\\other", entries), std::nullopt);
  EXPECT_EQ(Resolve("a/b", entries), std::nullopt);
}

TEST(ResolveFolderName, MatchesAndMakesTheMendedName) {
  // A name Windows refuses is looked for, and made, as the folder it is
  // written into.
  EXPECT_EQ(Resolve("con", {}), "con_");
  EXPECT_EQ(Resolve("Chat- a:b*c", {}), "Chat- a-b_c");
  EXPECT_EQ(Resolve("con", {{"CON_", kPlainFolderAttributes}}), "CON_");
  EXPECT_EQ(Resolve("Chat- a:b", {{"chat-a-b", kPlainFolderAttributes}}), "chat-a-b");
  EXPECT_EQ(Resolve("nul.txt",
                    {{"nul.txt", kPlainFolderAttributes}, {"NUL_.txt", kPlainFolderAttributes}}),
            "NUL_.txt");
}

TEST(WithoutSpaces, RemovesEverySpace) {
  EXPECT_EQ(WithoutSpaces(" John  Doe "), "JohnDoe");
  EXPECT_EQ(WithoutSpaces("a\tb"), "a\tb");
  EXPECT_EQ(WithoutSpaces("   "), "");
}

TEST(ResolveFolderName, MatchesDoubleByteNamesByCharacter) {
  const LeadBytes sjis = ShiftJisLeadBytes();
  const auto sjisEqual = [](const std::string& a, const std::string& b) {
    return EqualIgnoringAsciiCase(a, b, ShiftJisLeadBytes());
  };
  // "表示" and "ア" against folders of the same names with spaces, and
  // "ャ", whose trail byte is 'a' where "ア"'s is 'A'.
  EXPECT_EQ(ResolveFolderName("\x95\x5C\x8E\xA6", {{"\x95\x5C \x8E\xA6", kPlainFolderAttributes}},
                              sjisEqual, sjis),
            "\x95\x5C \x8E\xA6");
  EXPECT_EQ(ResolveFolderName("\x83\x41", {{"\x83\x61", kPlainFolderAttributes}}, sjisEqual, sjis),
            "\x83\x41");
  EXPECT_EQ(ResolveFolderName("\x83\x41", {{"\x83\x41", kPlainFolderAttributes}}, sjisEqual, sjis),
            "\x83\x41");
}

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
