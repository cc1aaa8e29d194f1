// Where the stand-in host proposes to put the Buddy List's children for a
// given client size.  Platform-free, so that a test program can compute the
// same proposals the host makes.
#pragma once

#include <vector>

namespace testhost {

// Control ids of the Buddy List's direct children and of the tab group's.
enum BuddyListChildId : int {
  kIdStatic = 100,
  kIdAdPane,
  kIdAdText,
  kIdSeparator,
  kIdTabGroup,
  kIdSearchEdit,
  kIdTickerLeft,
  kIdTickerPane,
  kIdTickerRight,
  kIdGeneralButton = 110,  // kGeneralButtonCount consecutive ids
  kIdMoreButton = 120,     // the short button at the row's right end
  kIdTree = 130,
  kIdListButton = 140,  // kListButtonCount consecutive ids
};
constexpr int kGeneralButtonCount = 4;
constexpr int kListButtonCount = 3;
constexpr int kTickerHeight = 16;

struct ChildPlacement {
  int id;
  int x;
  int y;
  int width;   // never negative
  int height;  // never negative
};

// The Buddy List's direct children, for its client width and height.
std::vector<ChildPlacement> BuddyListPlacements(int width, int height);
// The tree and the Buddy List buttons, for the tab group's client size.
std::vector<ChildPlacement> TabGroupPlacements(int width, int height);

}  // namespace testhost
