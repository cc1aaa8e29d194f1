#include "buddy_list_layout.h"

#include <algorithm>

namespace testhost {
namespace {

constexpr int kTopBanner = 18;       // the static caption
constexpr int kAdPaneHeight = 60;
constexpr int kAdTextHeight = 14;
constexpr int kButtonRow = 36;       // general buttons and the edit box
constexpr int kTickerRow = 18;
constexpr int kGeneralButtonSize = 32;
constexpr int kNarrowButtonWidth = 14;
constexpr int kTabStrip = 22;
constexpr int kListButtonRow = 32;

void Place(HWND parent, int id, int x, int y, int width, int height) {
  SetWindowPos(GetDlgItem(parent, id), nullptr, x, y, std::max(width, 0), std::max(height, 0),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void LayOutBuddyList(HWND buddyList) {
  RECT client;
  GetClientRect(buddyList, &client);
  const int w = client.right, h = client.bottom;
  int y = 0;
  Place(buddyList, kIdStatic, 0, y, w, kTopBanner);
  Place(buddyList, kIdAdPane, 0, y += kTopBanner, w, kAdPaneHeight);
  Place(buddyList, kIdAdText, 0, y += kAdPaneHeight, w, kAdTextHeight);
  Place(buddyList, kIdSeparator, 0, y += kAdTextHeight + 1, w, 2);
  y += 3;
  const int buttonRowTop = h - kTickerRow - kButtonRow;
  Place(buddyList, kIdTabGroup, 0, y, w, buttonRowTop - y);

  int x = 2;
  for (int i = 0; i < kGeneralButtonCount; ++i, x += kGeneralButtonSize + 2)
    Place(buddyList, kIdGeneralButton + i, x, buttonRowTop + 2, kGeneralButtonSize, kGeneralButtonSize);
  Place(buddyList, kIdSearchEdit, x + 2, buttonRowTop + 8, w - x - 4, 20);

  const int tickerTop = h - kTickerRow + 1;
  Place(buddyList, kIdTickerLeft, 0, tickerTop, kNarrowButtonWidth, kTickerHeight);
  Place(buddyList, kIdTickerPane, kNarrowButtonWidth, tickerTop, w - 2 * kNarrowButtonWidth, kTickerHeight);
  Place(buddyList, kIdTickerRight, w - kNarrowButtonWidth, tickerTop, kNarrowButtonWidth, kTickerHeight);
}

void LayOutTabGroup(HWND tabGroup) {
  RECT client;
  GetClientRect(tabGroup, &client);
  const int w = client.right, h = client.bottom;
  Place(tabGroup, kIdTree, 2, kTabStrip, w - 4, h - kTabStrip - kListButtonRow);
  const int buttonWidth = (w - 4) / kListButtonCount;
  for (int i = 0; i < kListButtonCount; ++i)
    Place(tabGroup, kIdListButton + i, 2 + i * buttonWidth, h - kListButtonRow + 2, buttonWidth - 2, 28);
}

}  // namespace testhost
