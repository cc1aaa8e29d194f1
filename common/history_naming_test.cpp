#include "common/history_naming.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "common/testing/test_code_pages.h"

namespace corvane {
namespace {

struct FolderNameCase {
  std::string name;
  std::optional<std::string> folder;
};

void ExpectFolderNames(const std::vector<FolderNameCase>& cases) {
  for (const FolderNameCase& c : cases) {
    EXPECT_EQ(HistoryFolderName(c.name, kSingleByteCodePage), c.folder) << '"' << c.name << '"';
  }
}

TEST(HistoryFolderName, KeepsNamesWindowsTakes) {
  ExpectFolderNames({
      {"", ""},
      {"John Doe", "John Doe"},
      {"Chat- room", "Chat- room"},
      {"a.b", "a.b"},
      {"...x", "...x"},
      {"x.", "x."},
      {"name ", "name "},
      {"caf\xe9", "caf\xe9"},
      {"a-b_c(1)'s", "a-b_c(1)'s"},
      {"#room", "#room"},
      {"del\x7f", "del\x7f"},
      {std::string(41, 'n'), std::string(41, 'n')},
  });
}

TEST(HistoryFolderName, MendsCharactersWindowsRefuses) {
  ExpectFolderNames({
      {"Chat- a:b:c", "Chat- a-b-c"},
      {":", "-"},
      {"a*b", "a_b"},
      {"a?b", "a_b"},
      {"a\"b", "a_b"},
      {"a<b>", "a_b_"},
      {"a|b", "a_b"},
      {"a\tb", "a_b"},
      {"\x01\x1f", "__"},
      {std::string("a\0b", 3), "a_b"},
      {"what? *now*", "what_ _now_"},
  });
}

TEST(HistoryFolderName, KeepsReservedDeviceNamesWithAnUnderscore) {
  ExpectFolderNames({
      {"con", "con_"},
      {"CON", "CON_"},
      {"Prn", "Prn_"},
      {"aux", "aux_"},
      {"nul", "nul_"},
      {"conin$", "conin$_"},
      {"CONOUT$", "CONOUT$_"},
      {"com1", "com1_"},
      {"COM9", "COM9_"},
      {"lpt1", "lpt1_"},
      {"LpT9", "LpT9_"},
      // The part before the first dot decides, spaces before the dot aside.
      {"nul.txt", "nul_.txt"},
      {"con.a.b", "con_.a.b"},
      {"con.", "con_."},
      {"con ", "con_ "},
      {"con .txt", "con_ .txt"},
      // A mended character behind the name makes it an ordinary one.
      {"con:", "con-"},
      {"nul*", "nul_"},
  });
}

TEST(HistoryFolderName, LeavesNamesThatOnlyLookReserved) {
  ExpectFolderNames({
      {"con_", "con_"},
      {"conan", "conan"},
      {"icon", "icon"},
      {" con", " con"},
      {"con air", "con air"},
      {"com0", "com0"},
      {"com10", "com10"},
      {"lpt", "lpt"},
      {"com", "com"},
      {"coma.txt", "coma.txt"},
      {"x.con", "x.con"},
      {"conin", "conin"},
  });
}

TEST(HistoryFolderName, StaysWithinTheNameBuffer) {
  const std::string longest = "nul." + std::string(kNameCapacity - 5, 'x');
  ASSERT_EQ(longest.size(), kNameCapacity - 1);
  EXPECT_EQ(HistoryFolderName(longest, kSingleByteCodePage),
            "nul_." + std::string(kNameCapacity - 6, 'x'));
  EXPECT_EQ(HistoryFolderName(std::string(60, 'y'), kSingleByteCodePage),
            std::string(kNameCapacity - 1, 'y'));
}

TEST(HistoryFolderName, RefusesNamesThatLeaveOrAliasTheirParent) {
  ExpectFolderNames({
      {".", std::nullopt},
      {"..", std::nullopt},
      {"...", std::nullopt},
      {" ", std::nullopt},
      {" . ", std::nullopt},
      {". .", std::nullopt},
      {"..\\other", std::nullopt},
      {"a\\b", std::nullopt},
      {"a/b", std::nullopt},
      {"con/x", std::nullopt},
      {"\\", std::nullopt},
  });
}

TEST(HistoryFolderName, MendedNamesStayAsTheyAre) {
  for (const char* name : {"con", "nul.txt", "a:b*c", "com1 .x", "x|y", "plain"}) {
    const std::optional<std::string> folder = HistoryFolderName(name, kSingleByteCodePage);
    ASSERT_TRUE(folder) << name;
    EXPECT_EQ(HistoryFolderName(*folder, kSingleByteCodePage), folder) << name;
  }
}

TEST(EqualIgnoringAsciiCase, FoldsAsciiLettersOnly) {
  EXPECT_TRUE(EqualIgnoringAsciiCase("JohnDoe", "johnDOE", kSingleByteCodePage));
  EXPECT_FALSE(EqualIgnoringAsciiCase("John", "Joh", kSingleByteCodePage));
  EXPECT_FALSE(EqualIgnoringAsciiCase("a[", "A{", kSingleByteCodePage));
  EXPECT_FALSE(EqualIgnoringAsciiCase("\xe9", "\xc9", kSingleByteCodePage));
  EXPECT_TRUE(EqualIgnoringAsciiCase("", "", kSingleByteCodePage));
}

TEST(MakeSessionKey, FormatsTimeAndHandle) {
  EXPECT_EQ(MakeSessionKey(9, 5, 7, 0x1a04b2), "09:05:07-1a04b2");
  EXPECT_EQ(MakeSessionKey(0, 0, 0, 0), "00:00:00-0");
  EXPECT_EQ(MakeSessionKey(23, 59, 59, 0xABCDEF), "23:59:59-abcdef");
}

TEST(MakeSessionKey, LongestRealKeyFillsTheBuffer) {
  const std::string key = MakeSessionKey(23, 59, 59, 0xffffffffu);
  EXPECT_EQ(key, "23:59:59-ffffffff");
  EXPECT_EQ(key.size(), kSessionKeyCapacity - 1);
}

TEST(MakeSessionKey, CutsWhatDoesNotFit) {
  EXPECT_EQ(MakeSessionKey(100, 0, 0, 0xffffffffu), "100:00:00-fffffff");
  EXPECT_EQ(MakeSessionKey(-1, -1, -1, 0x12345678u), "-1:-1:-1-12345678");
  EXPECT_EQ(MakeSessionKey(INT_MIN, 0, 0, 1), "-2147483648:00:00");
}

TEST(SessionKeyLine, WrapsTheKeyInAComment) {
  EXPECT_EQ(SessionKeyLine("09:05:07-1a04b2"), "<!-- 09:05:07-1a04b2 -->");
  EXPECT_EQ(SessionKeyLine(""), "<!--  -->");
}

TEST(EnglishWeekdayName, CountsFromSunday) {
  EXPECT_EQ(EnglishWeekdayName(0), "Sunday");
  EXPECT_EQ(EnglishWeekdayName(1), "Monday");
  EXPECT_EQ(EnglishWeekdayName(2), "Tuesday");
  EXPECT_EQ(EnglishWeekdayName(3), "Wednesday");
  EXPECT_EQ(EnglishWeekdayName(4), "Thursday");
  EXPECT_EQ(EnglishWeekdayName(5), "Friday");
  EXPECT_EQ(EnglishWeekdayName(6), "Saturday");
  EXPECT_EQ(EnglishWeekdayName(7), "");
  EXPECT_EQ(EnglishWeekdayName(-1), "");
}

TEST(DayFileName, NamesTheDayWithItsWeekday) {
  EXPECT_EQ(DayFileName(2002, 6, 14, 5), "2002-06-14 [Friday].html");
  EXPECT_EQ(DayFileName(2024, 12, 1, 0), "2024-12-01 [Sunday].html");
  EXPECT_EQ(DayFileName(987, 1, 2, 3), "0987-01-02 [Wednesday].html");
}

TEST(DayFileName, PadsButNeverCuts) {
  EXPECT_EQ(DayFileName(65535, 123, 456, 6), "65535-123-456 [Saturday].html");
  EXPECT_EQ(DayFileName(INT_MIN, INT_MIN, INT_MIN, 3),
            "-2147483648--2147483648--2147483648 [Wednesday].html");
}

TEST(DayFileName, NoNameForAnUnknownWeekday) {
  EXPECT_EQ(DayFileName(2002, 6, 14, 7), "");
  EXPECT_EQ(DayFileName(2002, 6, 14, -1), "");
}

// Shift-JIS: "表" is 0x95 0x5C, "ソ" 0x83 0x5C, "ポ" 0x83 0x7C, "ア" 0x83 0x41,
// "ャ" 0x83 0x61: trail bytes of the values of '\', '|', 'A' and 'a'.
TEST(HistoryFolderName, ReadsDoubleByteNamesByCharacter) {
  const LeadBytes sjis = ShiftJisLeadBytes();
  for (const std::string name : {"\x95\x5C\x8E\xA6", "\x83\x5C\x83\x7C",
                                 "a\x95\x5C"
                                 "b",
                                 "con\x95\x5C", "\x95\x5C.", "\x95\x5C "}) {
    EXPECT_EQ(HistoryFolderName(name, sjis), name) << name;
  }
  // Single-byte characters beside them are still mended or refused.
  EXPECT_EQ(HistoryFolderName("\x95\x5C:|", sjis), "\x95\x5C-_");
  EXPECT_EQ(HistoryFolderName("\x95\x5C\\x", sjis), std::nullopt);
  EXPECT_EQ(HistoryFolderName("\x95/", sjis), std::nullopt);
  // Read byte by byte, as a single-byte code page does, the trail bytes are
  // a separator and a '|'.
  EXPECT_EQ(HistoryFolderName("\x95\x5C\x8E\xA6", kSingleByteCodePage), std::nullopt);
  EXPECT_EQ(HistoryFolderName("\x83\x7C", kSingleByteCodePage), "\x83_");
}

TEST(HistoryFolderName, CutsALongDoubleByteNameBetweenCharacters) {
  const LeadBytes sjis = ShiftJisLeadBytes();
  const std::string hyo = "\x95\x5C";
  std::string name = "x";
  for (int i = 0; i < 25; ++i) name += hyo;
  EXPECT_EQ(HistoryFolderName(name, sjis), "x" + name.substr(1, 40));
  EXPECT_EQ(HistoryFolderName(name.substr(1), sjis), name.substr(1, 40));
}

TEST(EqualIgnoringAsciiCase, LeavesTrailBytesUnfolded) {
  const LeadBytes sjis = ShiftJisLeadBytes();
  // "ア" and "ャ" differ only in a trail byte of 'A' and 'a'.
  EXPECT_FALSE(EqualIgnoringAsciiCase("\x83\x41", "\x83\x61", sjis));
  EXPECT_TRUE(EqualIgnoringAsciiCase("Bob\x83\x41", "bOB\x83\x41", sjis));
  EXPECT_FALSE(EqualIgnoringAsciiCase("a\x83\x41",
                                      "A\x83"
                                      "a",
                                      sjis));
  EXPECT_TRUE(EqualIgnoringAsciiCase("\x83\x41", "\x83\x61", kSingleByteCodePage));
}

}  // namespace
}  // namespace corvane
