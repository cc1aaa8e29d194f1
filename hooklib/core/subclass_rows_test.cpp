#include "hooklib/core/subclass_rows.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

std::vector<int> MatchingRows(const char* cls, const char* parent, const char* grandparent) {
  std::vector<int> rows;
  for (int row = 0; row < kRowCount; ++row) {
    if (PatternMatches(kRowPatterns[row], cls, parent, grandparent)) rows.push_back(row);
  }
  return rows;
}

using Rows = std::vector<int>;

TEST(SubclassRows, TopLevelWindowsMatchByClassAlone) {
  EXPECT_EQ(MatchingRows("_Oscar_BuddyListWin", "", ""), Rows{kRowBuddyList});
  EXPECT_EQ(MatchingRows("AIM_ChatWnd", "", ""), Rows{kRowChatWindow});
  EXPECT_EQ(MatchingRows("AIM_IMessage", "", ""), Rows{kRowIMWindow});
  // Rows 1 to 3 ignore the parent.
  EXPECT_EQ(MatchingRows("AIM_IMessage", "Shell_TrayWnd", "x"), Rows{kRowIMWindow});
}

TEST(SubclassRows, IMTextControlsMatchOneRowEach) {
  EXPECT_EQ(MatchingRows("Ate32Class", "WndAte32Class", "AIM_IMessage"), Rows{kRowIMTextControl});
  EXPECT_EQ(MatchingRows("WndAte32Class", "AIM_IMessage", ""), Rows{kRowIMTextFrame});
  // The same controls in a chat window are not the IM window's.
  EXPECT_EQ(MatchingRows("Ate32Class", "WndAte32Class", "AIM_ChatWnd"), Rows{});
  EXPECT_EQ(MatchingRows("WndAte32Class", "AIM_ChatWnd", ""), Rows{});
}

TEST(SubclassRows, BuddyListChildrenByParent) {
  const char* bl = "_Oscar_BuddyListWin";
  EXPECT_EQ(MatchingRows("Edit", bl, ""), Rows{kRowButtonRowEdit});
  EXPECT_EQ(MatchingRows("Ate32Class", bl, ""), Rows{kRowBuddyListAte});
  EXPECT_EQ(MatchingRows("WndAte32Class", bl, ""), Rows{kRowAdPane});
  EXPECT_EQ(MatchingRows("_Oscar_TabGroup", bl, ""), Rows{kRowTabGroup});
  EXPECT_EQ(MatchingRows("_Oscar_IconBtn", bl, ""), Rows{kRowGeneralButton});
  EXPECT_EQ(MatchingRows("_Oscar_Static", bl, ""), Rows{kRowStatic});
  EXPECT_EQ(MatchingRows("_Oscar_Separator", bl, ""), Rows{kRowSeparator});
  EXPECT_EQ(MatchingRows("_Oscar_Tree", "_Oscar_TabGroup", bl), Rows{kRowBuddyTree});
  EXPECT_EQ(MatchingRows("_Oscar_IconBtn", "_Oscar_TabGroup", bl), Rows{kRowListButton});
}

TEST(SubclassRows, ClassAloneOrWrongParentMatchesNothing) {
  EXPECT_EQ(MatchingRows("Edit", "", ""), Rows{});
  EXPECT_EQ(MatchingRows("Edit", "AIM_IMessage", ""), Rows{});
  EXPECT_EQ(MatchingRows("_Oscar_Tree", "_Oscar_BuddyListWin", ""), Rows{});
  EXPECT_EQ(MatchingRows("_Oscar_IconBtn", "AIM_IMessage", ""), Rows{});
  EXPECT_EQ(MatchingRows("Ate32Class", "WndAte32Class", ""), Rows{});
}

TEST(SubclassRows, NamesCompareExactlyAndCaseSensitively) {
  EXPECT_EQ(MatchingRows("aim_imessage", "", ""), Rows{});
  EXPECT_EQ(MatchingRows("AIM_IMessage2", "", ""), Rows{});
  EXPECT_EQ(MatchingRows("AIM_IMessag", "", ""), Rows{});
  EXPECT_EQ(MatchingRows("edit", "_Oscar_BuddyListWin", ""), Rows{});
  EXPECT_EQ(MatchingRows(kTodayClass, "", ""), Rows{});
  EXPECT_EQ(MatchingRows(kMiniBrowserClass, "", ""), Rows{});
}

// The pop-up rules may refuse a top-level window, so the host's top-level
// windows are subclassed before them and every child (whose pattern names a
// parent) after them, once its parent has survived.
TEST(SubclassRows, TopLevelRowsComeBeforeThePopupRulesAndChildrenAfter) {
  for (const RowPattern& pattern : kRowPatterns) {
    SCOPED_TRACE(pattern.row);
    const bool child = pattern.parentClass != nullptr;
    EXPECT_EQ(pattern.phase,
              child ? SubclassPhase::kAfterPopupRules : SubclassPhase::kBeforePopupRules);
  }
}

constexpr uint64_t kCreated = 130'000'000'000'000'000ull;

PopupFacts Facts(bool allow, bool asked, bool created, uint64_t now) {
  return PopupFacts{allow, asked, created, kCreated, now};
}

TEST(PopupRules, TodayNeedsTheRequestOrTheSetting) {
  EXPECT_TRUE(JudgePopup(PopupKind::kToday, Facts(false, false, true, kCreated)).refuse);
  EXPECT_TRUE(JudgePopup(PopupKind::kToday, Facts(false, false, false, kCreated + 1)).refuse);
  const PopupVerdict asked = JudgePopup(PopupKind::kToday, Facts(false, true, true, kCreated));
  EXPECT_FALSE(asked.refuse);
  EXPECT_TRUE(asked.clearTodayAsked);
  const PopupVerdict allowed = JudgePopup(PopupKind::kToday, Facts(true, false, true, kCreated));
  EXPECT_FALSE(allowed.refuse);
  EXPECT_TRUE(allowed.clearTodayAsked);
}

TEST(PopupRules, RefusedTodayKeepsNothingToClear) {
  EXPECT_FALSE(JudgePopup(PopupKind::kToday, Facts(false, false, true, kCreated)).clearTodayAsked);
}

TEST(PopupRules, MiniBrowserQuietForFiveSecondsInclusive) {
  const auto judge = [](uint64_t now) {
    return JudgePopup(PopupKind::kMiniBrowser, Facts(false, false, true, now));
  };
  EXPECT_TRUE(judge(kCreated).refuse);
  EXPECT_TRUE(judge(kCreated + kMiniBrowserQuietPeriod - 1).refuse);
  EXPECT_TRUE(judge(kCreated + kMiniBrowserQuietPeriod).refuse);
  EXPECT_FALSE(judge(kCreated + kMiniBrowserQuietPeriod + 1).refuse);
  // Allowed by the clock, the request flag stays as it was.
  EXPECT_FALSE(judge(kCreated + kMiniBrowserQuietPeriod + 1).clearTodayAsked);
  // A clock behind the creation time is still within the quiet period.
  EXPECT_TRUE(judge(kCreated - 10).refuse);
}

TEST(PopupRules, MiniBrowserAllowedWithoutABuddyList) {
  const PopupVerdict v = JudgePopup(PopupKind::kMiniBrowser, Facts(false, false, false, kCreated));
  EXPECT_FALSE(v.refuse);
  EXPECT_FALSE(v.clearTodayAsked);
}

TEST(PopupRules, RequestOrSettingLetsMiniBrowserThroughAndClears) {
  for (bool allow : {false, true}) {
    const PopupVerdict v =
        JudgePopup(PopupKind::kMiniBrowser, Facts(allow, !allow, true, kCreated));
    EXPECT_FALSE(v.refuse);
    EXPECT_TRUE(v.clearTodayAsked);
  }
}

}  // namespace
}  // namespace corvane
