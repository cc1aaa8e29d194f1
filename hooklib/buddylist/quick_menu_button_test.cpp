#include "hooklib/buddylist/quick_menu_button.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(QuickMenuHitArea, BothEndsAreIncluded) {
  struct Case {
    int x, y;
    bool inside;
  };
  const Case cases[] = {
      {106, 7, true},   {123, 7, true},   {106, 23, true},  {123, 23, true},
      {115, 15, true},  {105, 15, false}, {124, 15, false}, {115, 6, false},
      {115, 24, false}, {103, 0, false},  {134, 31, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(InQuickMenuHitArea(103, 0, c.x, c.y), c.inside) << c.x << "," << c.y;
  }
  EXPECT_TRUE(InQuickMenuHitArea(40, 60, 43, 67));
  EXPECT_TRUE(InQuickMenuHitArea(40, 60, 60, 83));
  EXPECT_FALSE(InQuickMenuHitArea(40, 60, 42, 67));
  EXPECT_FALSE(InQuickMenuHitArea(40, 60, 60, 84));
}

TEST(QuickMenuIcon, ByHoverAndPressed) {
  struct Case {
    bool hover, pressed;
    int icon;
  };
  const Case cases[] = {
      {false, false, 104}, {true, false, 106}, {true, true, 105}, {false, true, 106}};
  for (const Case& c : cases) {
    EXPECT_EQ(QuickMenuIcon({c.hover, c.pressed}), c.icon) << c.hover << c.pressed;
  }
}

TEST(QuickMenuButtonStates, MovesSetHoverAndRedrawOnlyOnChange) {
  QuickMenuButton b;
  QuickMenuReaction r = OnQuickMenuMouseMove(b, true);
  EXPECT_TRUE(b.hover);
  EXPECT_TRUE(r.redraw);
  EXPECT_FALSE(r.swallow);
  r = OnQuickMenuMouseMove(b, true);
  EXPECT_FALSE(r.redraw);
  r = OnQuickMenuMouseMove(b, false);
  EXPECT_FALSE(b.hover);
  EXPECT_TRUE(r.redraw);
  EXPECT_FALSE(r.swallow);
}

TEST(QuickMenuButtonStates, PressAndReleaseInsideShowsTheMenu) {
  QuickMenuButton b;
  OnQuickMenuMouseMove(b, true);
  QuickMenuReaction r = OnQuickMenuButtonDown(b, true);
  EXPECT_TRUE(b.pressed);
  EXPECT_TRUE(r.capture);
  EXPECT_TRUE(r.redraw);
  EXPECT_EQ(QuickMenuIcon(b), kQuickMenuIconPressed);
  r = OnQuickMenuMouseMove(b, true);
  EXPECT_TRUE(r.swallow);
  EXPECT_FALSE(r.redraw);
  r = OnQuickMenuButtonUp(b, true);
  EXPECT_FALSE(b.pressed);
  EXPECT_TRUE(b.hover);  // back to the hover look
  EXPECT_TRUE(r.release);
  EXPECT_TRUE(r.redraw);
  EXPECT_TRUE(r.showMenu);
}

TEST(QuickMenuButtonStates, DragOffAndReleaseShowsNoMenu) {
  QuickMenuButton b;
  OnQuickMenuMouseMove(b, true);
  OnQuickMenuButtonDown(b, true);
  QuickMenuReaction r = OnQuickMenuMouseMove(b, false);  // pressed outside
  EXPECT_TRUE(r.swallow);
  EXPECT_TRUE(r.redraw);
  EXPECT_EQ(QuickMenuIcon(b), kQuickMenuIconHover);
  r = OnQuickMenuMouseMove(b, true);  // back in
  EXPECT_EQ(QuickMenuIcon(b), kQuickMenuIconPressed);
  OnQuickMenuMouseMove(b, false);
  r = OnQuickMenuButtonUp(b, false);
  EXPECT_TRUE(r.release);
  EXPECT_TRUE(r.redraw);
  EXPECT_FALSE(r.showMenu);
  EXPECT_EQ(QuickMenuIcon(b), kQuickMenuIconNormal);
}

TEST(QuickMenuButtonStates, DownOutsideTheHitAreaDoesNothing) {
  QuickMenuButton b;
  QuickMenuReaction r = OnQuickMenuButtonDown(b, false);
  EXPECT_FALSE(b.pressed);
  EXPECT_FALSE(r.capture || r.redraw || r.swallow);
  r = OnQuickMenuButtonUp(b, true);  // never pressed
  EXPECT_FALSE(r.release || r.redraw || r.showMenu);
}

TEST(QuickMenuButtonStates, LosingTheMouseWhileHeldLetsGo) {
  for (bool inside : {true, false}) {
    QuickMenuButton b;
    OnQuickMenuMouseMove(b, true);
    OnQuickMenuButtonDown(b, true);
    OnQuickMenuMouseMove(b, inside);
    QuickMenuReaction r = OnQuickMenuCaptureLost(b);
    EXPECT_FALSE(b.pressed);
    EXPECT_FALSE(b.hover);
    EXPECT_TRUE(r.redraw);
    EXPECT_TRUE(r.release);
    EXPECT_FALSE(r.showMenu || r.capture);
    EXPECT_EQ(QuickMenuIcon(b), kQuickMenuIconNormal);
    // Moves are the host's again, and a release opens nothing.
    EXPECT_FALSE(OnQuickMenuMouseMove(b, true).swallow);
    EXPECT_FALSE(OnQuickMenuButtonUp(b, true).showMenu);
  }
}

// The button's own release of the mouse, and captures of other windows
// while it is not held, change nothing: after a click it keeps its hover look.
TEST(QuickMenuButtonStates, CaptureChangesWhileNotHeldAreNotTheButtons) {
  QuickMenuButton b;
  OnQuickMenuMouseMove(b, true);
  OnQuickMenuButtonDown(b, true);
  OnQuickMenuButtonUp(b, true);
  QuickMenuReaction r = OnQuickMenuCaptureLost(b);
  EXPECT_TRUE(b.hover);
  EXPECT_FALSE(r.redraw || r.release);
  QuickMenuButton idle;
  r = OnQuickMenuCaptureLost(idle);
  EXPECT_FALSE(r.redraw || r.release);
}

TEST(QuickMenuButtonStates, LeaveClearsHoverUnlessInside) {
  QuickMenuButton b;
  OnQuickMenuMouseMove(b, true);
  QuickMenuReaction r = OnQuickMenuMouseLeave(b, true);
  EXPECT_TRUE(b.hover);
  EXPECT_FALSE(r.redraw);
  r = OnQuickMenuMouseLeave(b, false);
  EXPECT_FALSE(b.hover);
  EXPECT_TRUE(r.redraw);
  EXPECT_FALSE(r.swallow);
}

}  // namespace
}  // namespace corvane
