#include "viewer/html/text_find.h"

#include <gtest/gtest.h>

#include "viewer/html/testing/ascii_lower_fold.h"

namespace corvane {
namespace {

using Offsets = std::vector<std::size_t>;

TEST(FindInLines, FindsEveryOccurrenceLeftToRightWithoutOverlap) {
  EXPECT_EQ(FindInLines("lunch, then lunch", "lunch", IdentityFold()), (Offsets{0, 12}));
  EXPECT_EQ(FindInLines("aaaa", "aa", IdentityFold()), (Offsets{0, 2}));
  EXPECT_EQ(FindInLines("aaa", "aa", IdentityFold()), (Offsets{0}));
}

TEST(FindInLines, NeverSpansALineFeed) {
  EXPECT_TRUE(FindInLines("fish\nchips", "fish chips", IdentityFold()).empty());
  EXPECT_TRUE(FindInLines("ab\ncd", "b\nc", IdentityFold()).empty());
  EXPECT_EQ(FindInLines("ab\nab", "ab", IdentityFold()), (Offsets{0, 3}));
}

TEST(FindInLines, ComparesThroughTheFoldTable) {
  EXPECT_TRUE(FindInLines("Lunch", "lunch", IdentityFold()).empty());
  EXPECT_EQ(FindInLines("Lunch LUNCH", "lunch", AsciiLowerFold()), (Offsets{0, 6}));
  FoldTable latin1 = AsciiLowerFold();
  latin1[0xC4] = 0xE4;  // as a code page table folds A with diaeresis
  EXPECT_EQ(FindInLines("\xC4pfel", "\xE4pfel", latin1), (Offsets{0}));
}

TEST(FindInLines, EmptyOrMultiLineQueryFindsNothing) {
  EXPECT_TRUE(FindInLines("text", "", IdentityFold()).empty());
  EXPECT_TRUE(FindInLines("", "x", IdentityFold()).empty());
  EXPECT_TRUE(FindInLines("a\nb", "\n", IdentityFold()).empty());
  EXPECT_TRUE(FindInLines("ab", "abc", IdentityFold()).empty());
}

}  // namespace
}  // namespace corvane
