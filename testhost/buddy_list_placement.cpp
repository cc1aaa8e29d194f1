#include "testhost/buddy_list_placement.h"

#include <algorithm>

namespace testhost {
namespace {

constexpr int kTopBanner = 18;  // the static caption
constexpr int kAdPaneHeight = 60;
constexpr int kAdTextHeight = 14;
constexpr int kButtonRow = 36;  // general buttons and the edit box
constexpr int kTickerRow = 18;
constexpr int kGeneralButtonSize = 32;
constexpr int kNarrowButtonWidth = 14;
constexpr int kMoreButtonWidth = 24;
constexpr int kMoreButtonHeight = 18;
constexpr int kTabStrip = 22;
constexpr int kListButtonRow = 32;

void Add(std::vector<ChildPlacement>* placements, int id, int x, int y, int width, int height) {
  placements->push_back({id, x, y, std::max(width, 0), std::max(height, 0)});
}

}  // namespace

std::vector<ChildPlacement> BuddyListPlacements(int w, int h) {
  std::vector<ChildPlacement> placed;
  int y = 0;
  Add(&placed, kIdStatic, 0, y, w, kTopBanner);
  Add(&placed, kIdAdPane, 0, y += kTopBanner, w, kAdPaneHeight);
  Add(&placed, kIdAdText, 0, y += kAdPaneHeight, w, kAdTextHeight);
  Add(&placed, kIdSeparator, 0, y += kAdTextHeight + 1, w, 2);
  y += 3;
  const int buttonRowTop = h - kTickerRow - kButtonRow;
  Add(&placed, kIdTabGroup, 0, y, w, buttonRowTop - y);

  int x = 2;
  for (int i = 0; i < kGeneralButtonCount; ++i, x += kGeneralButtonSize + 2)
    Add(&placed, kIdGeneralButton + i, x, buttonRowTop + 2, kGeneralButtonSize, kGeneralButtonSize);
  const int moreLeft = w - kMoreButtonWidth - 2;
  Add(&placed, kIdSearchEdit, x + 2, buttonRowTop + 8, moreLeft - x - 4, 20);
  Add(&placed, kIdMoreButton, moreLeft, buttonRowTop + 9, kMoreButtonWidth, kMoreButtonHeight);

  const int tickerTop = h - kTickerRow + 1;
  Add(&placed, kIdTickerLeft, 0, tickerTop, kNarrowButtonWidth, kTickerHeight);
  Add(&placed, kIdTickerPane, kNarrowButtonWidth, tickerTop, w - 2 * kNarrowButtonWidth,
      kTickerHeight);
  Add(&placed, kIdTickerRight, w - kNarrowButtonWidth, tickerTop, kNarrowButtonWidth,
      kTickerHeight);
  return placed;
}

std::vector<ChildPlacement> TabGroupPlacements(int w, int h) {
  std::vector<ChildPlacement> placed;
  Add(&placed, kIdTree, 2, kTabStrip, w - 4, h - kTabStrip - kListButtonRow);
  const int buttonWidth = (w - 4) / kListButtonCount;
  for (int i = 0; i < kListButtonCount; ++i)
    Add(&placed, kIdListButton + i, 2 + i * buttonWidth, h - kListButtonRow + 2, buttonWidth - 2,
        28);
  return placed;
}

}  // namespace testhost
