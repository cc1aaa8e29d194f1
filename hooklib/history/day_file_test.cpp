#include "day_file.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace corvane {
namespace {

const std::string kKeyA = "09:05:07-1a04b2";
const std::string kKeyB = "09:06:00-2b0c";
const std::string kKeyC = "10:00:00-3c";

TEST(FormatCreationBlock, IsKeyLineTextAndLineFeed) {
  EXPECT_EQ(FormatCreationBlock(kKeyA, "<HTML>hi</HTML>"), "<!-- 09:05:07-1a04b2 -->\n<HTML>hi</HTML>\n");
}

TEST(FormatRewriteBlock, AddsTheBaseLineAndAFinalBreak) {
  EXPECT_EQ(FormatRewriteBlock(kKeyA, "<HTML>hi</HTML>"),
            "<!-- 09:05:07-1a04b2 -->\n<BASE TARGET=\"_new\">\n<HTML>hi</HTML><BR>\n");
}

TEST(RewriteDayFile, SecondCaptureRewritesTheCreatedBlock) {
  const std::string created = FormatCreationBlock(kKeyA, "first");
  EXPECT_EQ(RewriteDayFile(created, kKeyA, "first\nsecond"),
            "<!-- 09:05:07-1a04b2 -->\n<BASE TARGET=\"_new\">\nfirst\nsecond<BR>\n");
}

TEST(RewriteDayFile, NewSessionAppendsItsBlock) {
  const std::string created = FormatCreationBlock(kKeyA, "old");
  EXPECT_EQ(RewriteDayFile(created, kKeyB, "new"), created + FormatRewriteBlock(kKeyB, "new"));
}

TEST(RewriteDayFile, LaterCapturesRewriteOnlyTheNewBlock) {
  const std::string first = FormatCreationBlock(kKeyA, "old");
  const std::string content = first + FormatRewriteBlock(kKeyB, "new");
  EXPECT_EQ(RewriteDayFile(content, kKeyB, "new\nnewer"), first + FormatRewriteBlock(kKeyB, "new\nnewer"));
}

TEST(RewriteDayFile, RewritingAnEarlierBlockKeepsTheBlocksAfterIt) {
  const std::string a = FormatCreationBlock(kKeyA, "a1");
  const std::string b = FormatRewriteBlock(kKeyB, "b1");
  const std::string c = FormatRewriteBlock(kKeyC, "c1");
  EXPECT_EQ(RewriteDayFile(a + b + c, kKeyA, "a2"), FormatRewriteBlock(kKeyA, "a2") + b + c);
  EXPECT_EQ(RewriteDayFile(a + b + c, kKeyB, "b2\nmore"), a + FormatRewriteBlock(kKeyB, "b2\nmore") + c);
}

TEST(RewriteDayFile, TwoWindowsTakingTurnsKeepBothBlocks) {
  std::string content = FormatCreationBlock(kKeyA, "a");
  std::string a_text = "a";
  std::string b_text;
  for (int turn = 0; turn < 5; ++turn) {
    a_text += "\nfrom a";
    b_text += "from b\n";
    content = RewriteDayFile(content, kKeyA, a_text);
    content = RewriteDayFile(content, kKeyB, b_text);
  }
  EXPECT_EQ(content, FormatRewriteBlock(kKeyA, a_text) + FormatRewriteBlock(kKeyB, b_text));
}

TEST(RewriteDayFile, KeyLineMustMatchTheWholeLine) {
  const std::string near_misses = "<!-- 09:05:07-1a04b2 -->x\n<!-- 09:05:07-1a04b2 --> \n <!-- 09:05:07-1a04b2 -->\n";
  EXPECT_EQ(RewriteDayFile(near_misses, kKeyA, "t"), near_misses + FormatRewriteBlock(kKeyA, "t"));
  const std::string longer_key = FormatCreationBlock("09:05:07-1a04b2f", "other");
  EXPECT_EQ(RewriteDayFile(longer_key, "09:05:07-1a04b", "t"), longer_key + FormatRewriteBlock("09:05:07-1a04b", "t"));
}

TEST(RewriteDayFile, KeyLineAsTheLastLineIsFound) {
  const std::string before = FormatCreationBlock(kKeyB, "b");
  EXPECT_EQ(RewriteDayFile(before + "<!-- 09:05:07-1a04b2 -->\n", kKeyA, "t"), before + FormatRewriteBlock(kKeyA, "t"));
}

TEST(RewriteDayFile, KeyLineWithoutLineFeedAtTheEndIsNotABlock) {
  const std::string content = "x\n<!-- 09:05:07-1a04b2 -->";
  EXPECT_EQ(RewriteDayFile(content, kKeyA, "t"), content + "\n" + FormatRewriteBlock(kKeyA, "t"));
}

TEST(RewriteDayFile, AppendsToAnEmptyFile) {
  EXPECT_EQ(RewriteDayFile("", kKeyA, "t"), FormatRewriteBlock(kKeyA, "t"));
}

TEST(RewriteDayFile, AppendedBlockStartsOnItsOwnLine) {
  const std::string unterminated = "<!-- 09:06:00-2b0c -->\ncut short";
  const std::string once = RewriteDayFile(unterminated, kKeyA, "t1");
  EXPECT_EQ(once, unterminated + "\n" + FormatRewriteBlock(kKeyA, "t1"));
  EXPECT_EQ(RewriteDayFile(once, kKeyA, "t2"), unterminated + "\n" + FormatRewriteBlock(kKeyA, "t2"));
}

TEST(RewriteDayFile, LongLinesInABlockDoNotHideTheNextKeyLine) {
  const std::string long_line(1000, 'w');
  const std::string a = FormatCreationBlock(kKeyA, long_line + "\n" + long_line);
  const std::string b = FormatRewriteBlock(kKeyB, long_line);
  EXPECT_EQ(RewriteDayFile(a + b, kKeyA, "short"), FormatRewriteBlock(kKeyA, "short") + b);
  EXPECT_EQ(RewriteDayFile(a + b, kKeyB, long_line + "!"), a + FormatRewriteBlock(kKeyB, long_line + "!"));
}

TEST(RewriteDayFile, ReadsLinesInPiecesOf254Characters) {
  // A key line that starts exactly where a 254-character piece of a longer
  // line ends is read as a piece of its own and found.
  const std::string piece(254, 'x');
  EXPECT_EQ(RewriteDayFile(piece + "<!-- 09:05:07-1a04b2 -->\nold\n", kKeyA, "t"),
            piece + FormatRewriteBlock(kKeyA, "t"));
  const std::string shorter(253, 'x');
  const std::string not_a_block = shorter + "<!-- 09:05:07-1a04b2 -->\nold\n";
  EXPECT_EQ(RewriteDayFile(not_a_block, kKeyA, "t"), not_a_block + FormatRewriteBlock(kKeyA, "t"));
}

TEST(RewriteDayFile, KeepsCarriageReturnsOfTheLogicalText) {
  const std::string a = FormatCreationBlock(kKeyA, "line\r\nline\r");
  const std::string b = FormatRewriteBlock(kKeyB, "\r\r\n");
  EXPECT_EQ(RewriteDayFile(a + b, kKeyA, "new\r\n"), FormatRewriteBlock(kKeyA, "new\r\n") + b);
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
  const std::string on_disk = ToDiskText(FormatCreationBlock(kKeyA, "a\nb") + FormatRewriteBlock(kKeyB, "c"));
  EXPECT_EQ(on_disk,
            "<!-- 09:05:07-1a04b2 -->\r\na\r\nb\r\n"
            "<!-- 09:06:00-2b0c -->\r\n<BASE TARGET=\"_new\">\r\nc<BR>\r\n");
  EXPECT_EQ(ToDiskText(RewriteDayFile(FromDiskText(on_disk), kKeyA, "d")),
            "<!-- 09:05:07-1a04b2 -->\r\n<BASE TARGET=\"_new\">\r\nd<BR>\r\n"
            "<!-- 09:06:00-2b0c -->\r\n<BASE TARGET=\"_new\">\r\nc<BR>\r\n");
}

}  // namespace
}  // namespace corvane
