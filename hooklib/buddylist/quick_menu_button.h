// The painted button on the Buddy List that opens the Corvane menu: its hit
// area, its looks and how it answers the mouse, on plain values.
#pragma once

#include "hooklib/resources/corvane_resource_ids.h"

namespace corvane {

// Icon resources of the button's looks.
inline constexpr int kQuickMenuIconNormal = IDI_QUICK_MENU_NORMAL;
inline constexpr int kQuickMenuIconPressed = IDI_QUICK_MENU_PRESSED;
inline constexpr int kQuickMenuIconHover = IDI_QUICK_MENU_HOVER;

// The button's square and the part of it that reacts, relative to the anchor.
inline constexpr int kQuickMenuButtonSize = 32;

struct QuickMenuButton {
  bool hover = false;    // the pointer is over the hit area
  bool pressed = false;  // the left button went down on the hit area, mouse captured
};

// What the window does after one mouse message.
struct QuickMenuReaction {
  bool redraw = false;    // repaint the button square now
  bool capture = false;   // take the mouse
  bool release = false;   // give the mouse back
  bool showMenu = false;  // open the popup menu
  bool swallow = false;   // the host does not see the message
};

// Both ends included: x from anchorX+3 to anchorX+20, y from anchorY+7 to anchorY+23.
bool InQuickMenuHitArea(int anchorX, int anchorY, int x, int y);

// The icon resource for the button's state.
int QuickMenuIcon(const QuickMenuButton& button);

QuickMenuReaction OnQuickMenuMouseMove(QuickMenuButton& button, bool inHitArea);
QuickMenuReaction OnQuickMenuButtonDown(QuickMenuButton& button, bool inHitArea);
QuickMenuReaction OnQuickMenuButtonUp(QuickMenuButton& button, bool inHitArea);
QuickMenuReaction OnQuickMenuMouseLeave(QuickMenuButton& button, bool inHitArea);
// The mouse went to another window, or the system cancelled modes, while the
// button was held: it lets go and looks normal, so later moves are the
// host's again and no later button-up opens the menu.
QuickMenuReaction OnQuickMenuCaptureLost(QuickMenuButton& button);

}  // namespace corvane
