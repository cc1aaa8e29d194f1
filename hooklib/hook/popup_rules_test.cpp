#include "hooklib/hook/popup_rules.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

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
