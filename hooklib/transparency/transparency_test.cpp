// The layered-window operation and the fade rules on real windows.
#include "hooklib/transparency/transparency.h"

#include <gtest/gtest.h>

#include "hooklib/core/private_codes.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/transparency/testing/layered_alpha_probe.h"

namespace corvane {
namespace {

class TransparencyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Shared().AlphaOn = 1;
    Shared().OpaqueOnTop = 1;
    Shared().AlphaFadeDown = 1;
    window_ = CreateWindowExA(0, "Static", "translucent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { DestroyWindow(window_); }

  // Runs one message through the rules; returns the opacity afterwards.
  std::optional<int> Step(UINT message, WPARAM wParam) {
    OnActivationMessage(window_, message, wParam, target_, fadeLevel_);
    return LayeredAlpha(window_);
  }
  bool FadeTimerWasRunning() { return KillTimer(window_, TIMER_FADE) != FALSE; }

  HWND window_ = nullptr;
  BYTE target_ = 200;
  BYTE fadeLevel_ = 0;
};

TEST_F(TransparencyTest, ThisSystemHasLayeredWindows) { EXPECT_TRUE(SupportsLayeredWindows()); }

TEST_F(TransparencyTest, EnabledMakesTheWindowLayeredWithTheOpacity) {
  ApplyWindowAlpha(window_, 200, 1);
  EXPECT_TRUE(IsLayered(window_));
  EXPECT_EQ(LayeredAlpha(window_), 200);
  ApplyWindowAlpha(window_, 50, 1);
  EXPECT_EQ(LayeredAlpha(window_), 50);
}

TEST_F(TransparencyTest, DisabledClearsTheLayeredStyle) {
  ApplyWindowAlpha(window_, 200, 1);
  ApplyWindowAlpha(window_, 200, 0);
  EXPECT_FALSE(IsLayered(window_));
  EXPECT_EQ(LayeredAlpha(window_), std::nullopt);
  // Other extended styles are left alone.
  SetWindowLongA(window_, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  ApplyWindowAlpha(window_, 100, 1);
  EXPECT_EQ(GetWindowLongA(window_, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_LAYERED),
            WS_EX_TOOLWINDOW | WS_EX_LAYERED);
  ApplyWindowAlpha(window_, 100, 0);
  EXPECT_EQ(GetWindowLongA(window_, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_LAYERED),
            WS_EX_TOOLWINDOW);
}

TEST_F(TransparencyTest, DeactivationFadesDownInStepsOfTen) {
  ApplyWindowAlpha(window_, target_, 1);
  EXPECT_EQ(Step(WM_ACTIVATE, WA_INACTIVE), 200);  // the fade starts with the next tick
  EXPECT_EQ(fadeLevel_, 254);
  for (int expected : {244, 234, 224, 214, 204, 194}) {
    EXPECT_EQ(Step(WM_TIMER, TIMER_FADE), expected);
  }
  EXPECT_TRUE(FadeTimerWasRunning());
  SetTimer(window_, TIMER_FADE, kFadePeriodMs, nullptr);
  EXPECT_EQ(Step(WM_TIMER, TIMER_FADE), 194);
  EXPECT_FALSE(FadeTimerWasRunning());
}

TEST_F(TransparencyTest, ActivationMakesOpaqueAndStopsTheFade) {
  Step(WM_ACTIVATE, WA_INACTIVE);
  Step(WM_TIMER, TIMER_FADE);
  EXPECT_EQ(Step(WM_ACTIVATE, WA_CLICKACTIVE), 255);
  EXPECT_TRUE(IsLayered(window_));
  EXPECT_FALSE(FadeTimerWasRunning());
  EXPECT_EQ(Step(WM_ACTIVATE, WA_ACTIVE), 255);
}

TEST_F(TransparencyTest, WithoutFadingDeactivationAppliesTheTarget) {
  Shared().AlphaFadeDown = 0;
  ApplyWindowAlpha(window_, 255, 1);
  EXPECT_EQ(Step(WM_ACTIVATE, WA_INACTIVE), 200);
  EXPECT_FALSE(FadeTimerWasRunning());
}

TEST_F(TransparencyTest, ActivationChangesNothingWithoutOpaqueOnTop) {
  Shared().OpaqueOnTop = 0;
  ApplyWindowAlpha(window_, 123, 1);
  EXPECT_EQ(Step(WM_ACTIVATE, WA_ACTIVE), 123);
  EXPECT_EQ(Step(WM_ACTIVATE, WA_INACTIVE), 123);
  EXPECT_FALSE(FadeTimerWasRunning());
}

TEST_F(TransparencyTest, ActivationChangesNothingWithTransparencyOff) {
  Shared().AlphaOn = 0;
  ApplyWindowAlpha(window_, 123, 0);
  Step(WM_ACTIVATE, WA_ACTIVE);
  Step(WM_ACTIVATE, WA_INACTIVE);
  EXPECT_FALSE(IsLayered(window_));
  EXPECT_FALSE(FadeTimerWasRunning());
}

TEST_F(TransparencyTest, OtherMessagesAndTimersAreIgnored) {
  ApplyWindowAlpha(window_, 123, 1);
  fadeLevel_ = 254;
  EXPECT_EQ(Step(WM_TIMER, TIMER_LOG_POLL), 123);
  EXPECT_EQ(Step(WM_PAINT, 0), 123);
  EXPECT_EQ(Step(WM_ACTIVATEAPP, WA_INACTIVE), 123);
  EXPECT_EQ(fadeLevel_, 254);
}

}  // namespace
}  // namespace corvane
