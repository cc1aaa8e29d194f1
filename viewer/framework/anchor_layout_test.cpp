#include "viewer/framework/anchor_layout.h"

#include <gtest/gtest.h>

#include <optional>

namespace corvane {
namespace {

constexpr Anchor kCentre{50, 50};

constexpr int kWidth = 600;
constexpr int kHeight = 200;

TEST(AnchorControl, RecordsTheCornersDistancesFromTheirAnchorPoints) {
  const LayoutRect control{10, 20, 110, 70};
  const struct {
    const char* what;
    Anchor topLeft;
    Anchor bottomRight;
    Anchor storedBottomRight;
    LayoutRect margins;
  } cases[] = {
      {"top-left", kTopLeft, kTopLeft, kTopLeft, {10, 20, 110, 70}},
      {"grows both ways", kTopLeft, kBottomRight, kBottomRight, {10, 20, 110 - 600, 70 - 200}},
      {"grows downwards", kTopLeft, kBottomLeft, kBottomLeft, {10, 20, 110, 70 - 200}},
      {"follows the right edge", kTopRight, kTopRight, kTopRight, {10 - 600, 20, 110 - 600, 70}},
      {"no bottom-right anchor follows the top-left one",
       kTopRight,
       kNoAnchor,
       kTopRight,
       {10 - 600, 20, 110 - 600, 70}},
      {"centre", kCentre, kCentre, kCentre, {10 - 300, 20 - 100, 110 - 300, 70 - 100}},
  };
  for (const auto& c : cases) {
    const AnchoredControl anchored =
        AnchorControl(control, kWidth, kHeight, c.topLeft, c.bottomRight);
    EXPECT_EQ(anchored.topLeft, c.topLeft) << c.what;
    EXPECT_EQ(anchored.bottomRight, c.storedBottomRight) << c.what;
    EXPECT_EQ(anchored.margins, c.margins) << c.what;
    EXPECT_EQ(AnchoredRect(anchored, kWidth, kHeight), control)
        << c.what << ": same size, same place";
  }
}

TEST(AnchorControl, TruncatesPercentagesTowardsZero) {
  // 301 * 50 / 100 = 150.5 and 99 * 33 / 100 = 32.67: both truncated.
  const AnchoredControl anchored = AnchorControl({200, 50, 250, 90}, 301, 99, {50, 33}, {50, 33});
  EXPECT_EQ(anchored.margins, (LayoutRect{50, 18, 100, 58}));
  // 401 * 50 / 100 = 200.5 -> 200; 150 * 33 / 100 = 49.5 -> 49.
  EXPECT_EQ(AnchoredRect(anchored, 401, 150), (LayoutRect{250, 67, 300, 107}));
}

// The main dialog: the HTML view grows both ways, the date list grows
// downwards, the About button and the size fields follow the right edge, and
// everything else keeps its place.
TEST(AnchoredRect, MainDialogFollowsAWiderAndTallerWindow) {
  const struct {
    const char* what;
    LayoutRect atStart;
    Anchor topLeft;
    Anchor bottomRight;
    LayoutRect widerBy100;
    LayoutRect tallerBy50;
  } cases[] = {
      {"HTML view",
       {213, 34, 495, 157},
       kTopLeft,
       kBottomRight,
       {213, 34, 595, 157},
       {213, 34, 495, 207}},
      {"date list", {8, 60, 168, 157}, kTopLeft, kBottomLeft, {8, 60, 168, 157}, {8, 60, 168, 207}},
      {"About button",
       {449, 10, 496, 29},
       kTopRight,
       kTopRight,
       {549, 10, 596, 29},
       {449, 10, 496, 29}},
      {"size label",
       {311, 15, 404, 29},
       kTopRight,
       kTopRight,
       {411, 15, 504, 29},
       {311, 15, 404, 29}},
      {"size total",
       {402, 15, 423, 29},
       kTopRight,
       kTopRight,
       {502, 15, 523, 29},
       {402, 15, 423, 29}},
      {"unit label",
       {426, 15, 444, 28},
       kTopRight,
       kTopRight,
       {526, 15, 544, 28},
       {426, 15, 444, 28}},
  };
  constexpr int kStartWidth = 504;
  constexpr int kStartHeight = 167;
  for (const auto& c : cases) {
    const AnchoredControl anchored =
        AnchorControl(c.atStart, kStartWidth, kStartHeight, c.topLeft, c.bottomRight);
    EXPECT_EQ(AnchoredRect(anchored, kStartWidth + 100, kStartHeight), c.widerBy100) << c.what;
    EXPECT_EQ(AnchoredRect(anchored, kStartWidth, kStartHeight + 50), c.tallerBy50) << c.what;
    EXPECT_EQ(AnchoredRect(anchored, kStartWidth, kStartHeight), c.atStart) << c.what;
  }
}

TEST(AnchoredMoveFlags, SaysWhatStays) {
  constexpr unsigned kBase = kMoveKeepOrderAndFocus;
  const LayoutRect current{10, 20, 110, 70};
  const struct {
    const char* what;
    LayoutRect target;
    std::optional<unsigned> flags;
  } cases[] = {
      {"unchanged: skipped", {10, 20, 110, 70}, std::nullopt},
      {"moved only", {30, 25, 130, 75}, kBase | kMoveNoSize},
      {"sized only", {10, 20, 150, 90}, kBase | kMoveNoMove},
      {"moved and sized", {0, 0, 50, 50}, kBase},
      {"right edge moved", {10, 20, 111, 70}, kBase | kMoveNoMove},
      {"left edge moved", {9, 20, 110, 70}, kBase},
  };
  EXPECT_EQ(kBase, 0x0214u);
  for (const auto& c : cases) {
    EXPECT_EQ(AnchoredMoveFlags(current, c.target), c.flags) << c.what;
  }
}

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
