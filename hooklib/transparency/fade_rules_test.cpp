#include "hooklib/transparency/fade_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

constexpr TransparencySettings kAllOn{1, 1, 1};

// Deactivates, then ticks until the rules stop the timer; returns the
// opacities applied along the way.
std::vector<int> FadeFromDeactivation(uint8_t target) {
  FadeAction action = DecideFade(FadeEvent::kDeactivated, kAllOn, target, 0);
  EXPECT_TRUE(action.startFadeTimer);
  EXPECT_FALSE(action.applyAlpha);
  EXPECT_EQ(action.fadeLevel, 254);
  std::vector<int> applied;
  for (int tick = 0; tick < 100; ++tick) {
    action = DecideFade(FadeEvent::kFadeTick, kAllOn, target, action.fadeLevel);
    EXPECT_FALSE(action.startFadeTimer);
    if (action.killFadeTimer) {
      EXPECT_FALSE(action.applyAlpha);
      return applied;
    }
    EXPECT_TRUE(action.applyAlpha);
    EXPECT_EQ(action.alpha, action.fadeLevel);
    applied.push_back(action.alpha);
  }
  ADD_FAILURE() << "the fade never stops";
  return applied;
}

std::vector<int> Range(int from, int downTo) {
  std::vector<int> levels;
  for (int level = from; level >= downTo; level -= 10) levels.push_back(level);
  return levels;
}

TEST(FadeRules, FadesInStepsOfTenToTheFirstLevelNotAboveTheTarget) {
  struct Case {
    int target;
    std::vector<int> applied;
  };
  std::vector<int> wrapped = Range(244, 4);
  const std::vector<int> afterWrap = Range(250, 0);
  wrapped.insert(wrapped.end(), afterWrap.begin(), afterWrap.end());
  const Case cases[] = {
      {200, Range(244, 194)},
      {230, {244, 234, 224}},
      {4, Range(244, 4)},
      {0, wrapped},  // 4 - 10 wraps to 250
      {254, {}},
      {253, {244}},
      {255, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FadeFromDeactivation(static_cast<uint8_t>(c.target)), c.applied)
        << "target " << c.target;
  }
}

TEST(FadeRules, ActivationMakesOpaqueAndStopsTheFade) {
  const FadeAction action = DecideFade(FadeEvent::kActivated, kAllOn, 200, 224);
  EXPECT_TRUE(action.applyAlpha);
  EXPECT_EQ(action.alpha, 255);
  EXPECT_TRUE(action.killFadeTimer);
  EXPECT_FALSE(action.startFadeTimer);
  EXPECT_EQ(action.fadeLevel, 224);
}

TEST(FadeRules, WithoutFadingDeactivationAppliesTheTargetAtOnce) {
  const FadeAction action = DecideFade(FadeEvent::kDeactivated, {1, 1, 0}, 200, 77);
  EXPECT_TRUE(action.applyAlpha);
  EXPECT_EQ(action.alpha, 200);
  EXPECT_FALSE(action.startFadeTimer);
  EXPECT_FALSE(action.killFadeTimer);
  EXPECT_EQ(action.fadeLevel, 77);
}

TEST(FadeRules, ActivationChangesNothingUnlessOpaqueOnTopAndTransparencyAreOn) {
  const TransparencySettings inert[] = {{1, 0, 1}, {0, 1, 1}, {0, 0, 0}, {1, 0, 0}};
  for (const TransparencySettings& settings : inert) {
    for (FadeEvent event : {FadeEvent::kActivated, FadeEvent::kDeactivated}) {
      const FadeAction action = DecideFade(event, settings, 200, 123);
      EXPECT_FALSE(action.applyAlpha);
      EXPECT_FALSE(action.startFadeTimer);
      EXPECT_FALSE(action.killFadeTimer);
      EXPECT_EQ(action.fadeLevel, 123);
    }
  }
}

TEST(FadeRules, TicksStepWhateverTheSettings) {
  // A timer already running keeps stepping; the settings only gate activation.
  const FadeAction step = DecideFade(FadeEvent::kFadeTick, {0, 0, 0}, 200, 254);
  EXPECT_TRUE(step.applyAlpha);
  EXPECT_EQ(step.alpha, 244);
  const FadeAction stop = DecideFade(FadeEvent::kFadeTick, {0, 0, 0}, 200, 200);
  EXPECT_TRUE(stop.killFadeTimer);
  EXPECT_FALSE(stop.applyAlpha);
  EXPECT_EQ(stop.fadeLevel, 200);
}

}  // namespace
}  // namespace corvane
