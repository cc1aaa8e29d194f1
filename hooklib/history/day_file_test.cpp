#include "hooklib/history/day_file.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>

#include "common/history_naming.h"
#include "hooklib/history/testing/memory_day_file.h"

namespace corvane {
namespace {

const std::string kKeyA = "09:05:07-1a04b2";
const std::string kKeyB = "09:06:00-2b0c";
const std::string kKeyC = "10:00:00-3c";

// The rewrite of a file that holds `logical`, read back.
std::string Rewrite(std::string_view logical, std::string_view key, std::string_view text) {
  return FromDiskText(RewriteDayFile(ToDiskText(logical), key, text));
}

TEST(FormatCreationBlock, IsKeyLineTextAndLineFeed) {
  EXPECT_EQ(FormatCreationBlock(kKeyA, "<HTML>hi</HTML>"),
            "<!-- 09:05:07-1a04b2 -->\n<HTML>hi</HTML>\n");
}

TEST(FormatRewriteBlock, AddsTheBaseLineAndAFinalBreak) {
  EXPECT_EQ(FormatRewriteBlock(kKeyA, "<HTML>hi</HTML>"),
            "<!-- 09:05:07-1a04b2 -->\n<BASE TARGET=\"_new\">\n<HTML>hi</HTML><BR>\n");
}

TEST(RewriteDayFile, SecondCaptureRewritesTheCreatedBlock) {
  const std::string created = FormatCreationBlock(kKeyA, "first");
  EXPECT_EQ(Rewrite(created, kKeyA, "first\nsecond"),
            "<!-- 09:05:07-1a04b2 -->\n<BASE TARGET=\"_new\">\nfirst\nsecond<BR>\n");
}

TEST(RewriteDayFile, NewSessionAppendsItsBlock) {
  const std::string created = FormatCreationBlock(kKeyA, "old");
  EXPECT_EQ(Rewrite(created, kKeyB, "new"), created + FormatRewriteBlock(kKeyB, "new"));
}

TEST(RewriteDayFile, LaterCapturesRewriteOnlyTheNewBlock) {
  const std::string first = FormatCreationBlock(kKeyA, "old");
  const std::string content = first + FormatRewriteBlock(kKeyB, "new");
  EXPECT_EQ(Rewrite(content, kKeyB, "new\nnewer"), first + FormatRewriteBlock(kKeyB, "new\nnewer"));
}

TEST(RewriteDayFile, RewritingAnEarlierBlockKeepsTheBlocksAfterIt) {
  const std::string a = FormatCreationBlock(kKeyA, "a1");
  const std::string b = FormatRewriteBlock(kKeyB, "b1");
  const std::string c = FormatRewriteBlock(kKeyC, "c1");
  EXPECT_EQ(Rewrite(a + b + c, kKeyA, "a2"), FormatRewriteBlock(kKeyA, "a2") + b + c);
  EXPECT_EQ(Rewrite(a + b + c, kKeyB, "b2\nmore"), a + FormatRewriteBlock(kKeyB, "b2\nmore") + c);
}

TEST(RewriteDayFile, TwoWindowsTakingTurnsKeepBothBlocks) {
  std::string content = FormatCreationBlock(kKeyA, "a");
  std::string aText = "a";
  std::string bText;
  for (int turn = 0; turn < 5; ++turn) {
    aText += "\nfrom a";
    bText += "from b\n";
    content = Rewrite(content, kKeyA, aText);
    content = Rewrite(content, kKeyB, bText);
  }
  EXPECT_EQ(content, FormatRewriteBlock(kKeyA, aText) + FormatRewriteBlock(kKeyB, bText));
}

TEST(RewriteDayFile, KeyLineMustMatchTheWholeLine) {
  const std::string nearMisses =
      "<!-- 09:05:07-1a04b2 -->x\n<!-- 09:05:07-1a04b2 --> \n <!-- 09:05:07-1a04b2 -->\n";
  EXPECT_EQ(Rewrite(nearMisses, kKeyA, "t"), nearMisses + FormatRewriteBlock(kKeyA, "t"));
  const std::string longerKey = FormatCreationBlock("09:05:07-1a04b2f", "other");
  EXPECT_EQ(Rewrite(longerKey, "09:05:07-1a04b", "t"),
            longerKey + FormatRewriteBlock("09:05:07-1a04b", "t"));
}

TEST(RewriteDayFile, KeyLineAsTheLastLineIsFound) {
  const std::string before = FormatCreationBlock(kKeyB, "b");
  EXPECT_EQ(Rewrite(before + "<!-- 09:05:07-1a04b2 -->\n", kKeyA, "t"),
            before + FormatRewriteBlock(kKeyA, "t"));
}

TEST(RewriteDayFile, KeyLineWithoutLineFeedAtTheEndIsNotABlock) {
  const std::string content = "x\n<!-- 09:05:07-1a04b2 -->";
  EXPECT_EQ(Rewrite(content, kKeyA, "t"), content + "\n" + FormatRewriteBlock(kKeyA, "t"));
}

TEST(RewriteDayFile, AppendsToAnEmptyFile) {
  EXPECT_EQ(Rewrite("", kKeyA, "t"), FormatRewriteBlock(kKeyA, "t"));
}

TEST(RewriteDayFile, AppendedBlockStartsOnItsOwnLine) {
  const std::string unterminated = "<!-- 09:06:00-2b0c -->\ncut short";
  const std::string once = Rewrite(unterminated, kKeyA, "t1");
  EXPECT_EQ(once, unterminated + "\n" + FormatRewriteBlock(kKeyA, "t1"));
  EXPECT_EQ(Rewrite(once, kKeyA, "t2"), unterminated + "\n" + FormatRewriteBlock(kKeyA, "t2"));
}

TEST(RewriteDayFile, LongLinesInABlockDoNotHideTheNextKeyLine) {
  const std::string longLine(1000, 'w');
  const std::string a = FormatCreationBlock(kKeyA, longLine + "\n" + longLine);
  const std::string b = FormatRewriteBlock(kKeyB, longLine);
  EXPECT_EQ(Rewrite(a + b, kKeyA, "short"), FormatRewriteBlock(kKeyA, "short") + b);
  EXPECT_EQ(Rewrite(a + b, kKeyB, longLine + "!"), a + FormatRewriteBlock(kKeyB, longLine + "!"));
}

TEST(RewriteDayFile, ReadsLinesInPiecesOf254Characters) {
  // A key line that starts exactly where a 254-character piece of a longer
  // line ends is read as a piece of its own and found.
  const std::string piece(254, 'x');
  EXPECT_EQ(Rewrite(piece + "<!-- 09:05:07-1a04b2 -->\nold\n", kKeyA, "t"),
            piece + FormatRewriteBlock(kKeyA, "t"));
  const std::string shorter(253, 'x');
  const std::string notABlock = shorter + "<!-- 09:05:07-1a04b2 -->\nold\n";
  EXPECT_EQ(Rewrite(notABlock, kKeyA, "t"), notABlock + FormatRewriteBlock(kKeyA, "t"));
}

TEST(RewriteDayFile, KeepsCarriageReturnsOfTheLogicalText) {
  const std::string a = FormatCreationBlock(kKeyA, "line\r\nline\r");
  const std::string b = FormatRewriteBlock(kKeyB, "\r\r\n");
  EXPECT_EQ(Rewrite(a + b, kKeyA, "new\r\n"), FormatRewriteBlock(kKeyA, "new\r\n") + b);
}

TEST(RewriteDayFile, KeepsTheOtherBytesOfTheFileAsTheyAre) {
  // A lone line feed, a Ctrl-Z and a lone carriage return, in the blocks
  // before and after: a text-mode stream reads them, and the rewrite leaves
  // them alone.
  const std::string before = "<!-- 08:00:00-1 -->\nhand\x1a edited\r<BR>\r\n";
  const std::string after = "<!-- 10:00:00-3c -->\r\n<BASE TARGET=\"_new\">\r\nc\n<BR>\n";
  const std::string block = ToDiskText(FormatRewriteBlock(kKeyA, "old"));
  EXPECT_EQ(RewriteDayFile(before + block + after, kKeyA, "new"),
            before + ToDiskText(FormatRewriteBlock(kKeyA, "new")) + after);
}

TEST(FindSessionBlock, SpansFromTheKeyLineToTheNextKeyLine) {
  const std::string a = ToDiskText(FormatCreationBlock(kKeyA, "a\nmore"));
  const std::string b = ToDiskText(FormatRewriteBlock(kKeyB, "b"));
  const auto foundA = FindSessionBlock(a + b, kKeyA);
  ASSERT_TRUE(foundA);
  EXPECT_EQ(foundA->start, 0u);
  EXPECT_EQ(foundA->end, a.size());
  const auto foundB = FindSessionBlock(a + b, kKeyB);
  ASSERT_TRUE(foundB);
  EXPECT_EQ(foundB->start, a.size());
  EXPECT_EQ(foundB->end, a.size() + b.size());
  EXPECT_FALSE(FindSessionBlock(a + b, kKeyC));
  // A key line ended by a lone line feed reads as a key line too.
  const auto lone = FindSessionBlock("x\n<!-- 10:00:00-3c -->\ntext", kKeyC);
  ASSERT_TRUE(lone);
  EXPECT_EQ(lone->start, 2u);
}

// The blocks as on disk for an in-place write.
std::string Block(std::string_view key, std::string_view text) {
  return ToDiskText(FormatRewriteBlock(key, text));
}

TEST(AppendStart, NewMessagesBeforeTheClosingTagsAppend) {
  const std::string oldText = "<HTML><BODY>one<BR>two</BODY></HTML>";
  const std::string newText = "<HTML><BODY>one<BR>two<BR>three</BODY></HTML>";
  const std::string oldBlock = Block(kKeyA, oldText);
  // The first byte that differs: "</BODY>" gives way to "<BR>three".
  EXPECT_EQ(AppendStart(kKeyA, oldBlock, Block(kKeyA, newText)), oldBlock.find("</BODY>") + 1);
  // Text that never had closing tags grows past its end.
  EXPECT_EQ(AppendStart(kKeyA, Block(kKeyA, "one"), Block(kKeyA, "one two")),
            Block(kKeyA, "one").size() - 6);
  // New closing tags, or none any more, are changes after the old text too.
  EXPECT_TRUE(AppendStart(kKeyA, Block(kKeyA, "one</B>"), Block(kKeyA, "one</I>")));
  EXPECT_TRUE(AppendStart(kKeyA, Block(kKeyA, "one</B>"), Block(kKeyA, "one")));
}

TEST(AppendStart, AnyEarlierChangeDoesNot) {
  const std::string oldBlock = Block(kKeyA, "<HTML><BODY>one<BR>two</BODY></HTML>");
  // Text before the closing tags changed (the host's own text, or a later
  // '>' or "-->" that turned it into a tag or a comment).
  EXPECT_FALSE(
      AppendStart(kKeyA, oldBlock, Block(kKeyA, "<HTML><BODY>one<BR>tw0<BR>x</BODY></HTML>")));
  EXPECT_FALSE(AppendStart(kKeyA, oldBlock, Block(kKeyA, "<HTML><BODY>one<BR>tw</BODY></HTML>")));
  // Only end tags count as closing tags: "<BR>" is the text's own.
  EXPECT_FALSE(AppendStart(kKeyA, Block(kKeyA, "one<BR>"), Block(kKeyA, "one<HR>")));
  EXPECT_FALSE(AppendStart(kKeyA, Block(kKeyA, "a</B>b>"), Block(kKeyA, "a</B>c")));
  // The first rewrite after the creation form brings the BASE line.
  EXPECT_FALSE(
      AppendStart(kKeyA, ToDiskText(FormatCreationBlock(kKeyA, "one")), Block(kKeyA, "one two")));
  EXPECT_FALSE(
      AppendStart(kKeyA, ToDiskText(FormatCreationBlock(kKeyA, "<BR>")), Block(kKeyA, "<BR>")));
  // Another session's block.
  EXPECT_FALSE(AppendStart(kKeyA, Block(kKeyB, "one"), Block(kKeyA, "one two")));
  // A block torn at its end by a write cut short.
  EXPECT_FALSE(
      AppendStart(kKeyA, oldBlock.substr(0, oldBlock.size() - 3), Block(kKeyA, "one<BR>two<BR>x")));
}

TEST(TemporaryDayFileName, IsShorterThanTheDayFileAndNeverListed) {
  for (int weekday = 0; weekday < 7; ++weekday) {
    for (const int year : {1999, 2002, 9999}) {
      const std::string dayFile = DayFileName(year, 12, 31, weekday);
      const std::string temporary = TemporaryDayFileName(year, 12, 31, 0xfffffffful);
      EXPECT_LT(temporary.size(), dayFile.size()) << temporary;
      std::string lower;
      for (const char c : temporary)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      EXPECT_EQ(lower.find(".htm"), std::string::npos) << temporary;
    }
  }
  EXPECT_EQ(TemporaryDayFileName(2002, 6, 14, 0x1a4), "2002-06-14.~1a4");
  EXPECT_NE(TemporaryDayFileName(2002, 6, 14, 1), TemporaryDayFileName(2002, 6, 14, 2));
}

TEST(DiskText, EveryLineFeedIsStoredAsCarriageReturnLineFeed) {
  EXPECT_EQ(ToDiskText("a\nb\r\nc\r"), "a\r\nb\r\r\nc\r");
  EXPECT_EQ(ToDiskText(""), "");
  EXPECT_EQ(ToDiskText("\n\n"), "\r\n\r\n");
}

TEST(DiskText, OnlyCarriageReturnLineFeedIsReadAsLineFeed) {
  EXPECT_EQ(FromDiskText("a\r\nb\r\r\nc\r"), "a\nb\r\nc\r");
  EXPECT_EQ(FromDiskText("a\nb\rc"), "a\nb\rc");
  EXPECT_EQ(FromDiskText("\r\r\n\r"), "\r\n\r");
}

TEST(DiskText, ReadingBackGivesWhatWasWritten) {
  std::mt19937 random(42);
  std::uniform_int_distribution<int> length(0, 30);
  std::uniform_int_distribution<int> pick(0, 2);
  const char characters[] = {'\r', '\n', 'a'};
  for (int i = 0; i < 20000; ++i) {
    std::string logical;
    for (int n = length(random); n > 0; --n) logical += characters[pick(random)];
    ASSERT_EQ(FromDiskText(ToDiskText(logical)), logical);
  }
}

TEST(DiskText, DayFileOnDiskRoundTrip) {
  const std::string onDisk =
      ToDiskText(FormatCreationBlock(kKeyA, "a\nb") + FormatRewriteBlock(kKeyB, "c"));
  EXPECT_EQ(onDisk,
            "<!-- 09:05:07-1a04b2 -->\r\na\r\nb\r\n"
            "<!-- 09:06:00-2b0c -->\r\n<BASE TARGET=\"_new\">\r\nc<BR>\r\n");
  EXPECT_EQ(RewriteDayFile(onDisk, kKeyA, "d"),
            "<!-- 09:05:07-1a04b2 -->\r\n<BASE TARGET=\"_new\">\r\nd<BR>\r\n"
            "<!-- 09:06:00-2b0c -->\r\n<BASE TARGET=\"_new\">\r\nc<BR>\r\n");
}

}  // namespace
}  // namespace corvane
