#include "viewer/framework/size_grip.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(SizeGripRect, IsTheClientAreasBottomRightSquare) {
  EXPECT_EQ(SizeGripRect({0, 0, 500, 300}, 16, 17), (LayoutRect{484, 283, 500, 300}));
  EXPECT_EQ(SizeGripRect({0, 0, 10, 5}, 16, 17), (LayoutRect{-6, -12, 10, 5}));
}

TEST(IsOnSizeGrip, CoversTheGripInsideTheClientArea) {
  const LayoutRect grip = SizeGripRect({0, 0, 500, 300}, 16, 17);
  const LayoutRect tinyGrip = SizeGripRect({0, 0, 10, 5}, 16, 17);
  const struct {
    const char* what;
    LayoutRect grip;
    int x;
    int y;
    bool onGrip;
  } cases[] = {
      {"top-left corner of the grip", grip, 484, 283, true},
      {"last pixel of the grip", grip, 499, 299, true},
      {"right of the client area", grip, 500, 299, false},
      {"below the client area", grip, 499, 300, false},
      {"left of the grip", grip, 483, 290, false},
      {"above the grip", grip, 490, 282, false},
      {"middle of the dialog", grip, 250, 150, false},
      {"tiny dialog, inside", tinyGrip, 0, 0, true},
      {"tiny dialog, left of the client area", tinyGrip, -1, 2, false},
      {"tiny dialog, above the client area", tinyGrip, 2, -1, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsOnSizeGrip(c.grip, c.x, c.y), c.onGrip) << c.what;
  }
}

}  // namespace
}  // namespace corvane
