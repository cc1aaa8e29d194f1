#include "hooklib/buddylist/quick_menu_button.h"

namespace corvane {

bool InQuickMenuHitArea(int anchorX, int anchorY, int x, int y) {
  return x >= anchorX + 3 && x <= anchorX + 20 && y >= anchorY + 7 && y <= anchorY + 23;
}

int QuickMenuIcon(const QuickMenuButton& button) {
  if (button.hover && button.pressed) return kQuickMenuIconPressed;
  if (button.hover || button.pressed) return kQuickMenuIconHover;
  return kQuickMenuIconNormal;
}

QuickMenuReaction OnQuickMenuMouseMove(QuickMenuButton& button, bool inHitArea) {
  QuickMenuReaction reaction;
  reaction.redraw = button.hover != inHitArea;
  button.hover = inHitArea;
  // While pressed the move belongs to the button, not to the host.
  reaction.swallow = button.pressed;
  return reaction;
}

QuickMenuReaction OnQuickMenuButtonDown(QuickMenuButton& button, bool inHitArea) {
  QuickMenuReaction reaction;
  if (!inHitArea) return reaction;
  button.pressed = true;
  reaction.capture = true;
  reaction.redraw = true;
  return reaction;
}

QuickMenuReaction OnQuickMenuButtonUp(QuickMenuButton& button, bool inHitArea) {
  QuickMenuReaction reaction;
  if (!button.pressed) return reaction;
  button.pressed = false;
  reaction.release = true;
  reaction.redraw = true;
  reaction.showMenu = inHitArea;
  return reaction;
}

QuickMenuReaction OnQuickMenuCaptureLost(QuickMenuButton& button) {
  QuickMenuReaction reaction;
  // The button holds the mouse only while pressed; any other capture
  // change is not the button's.
  if (!button.pressed) return reaction;
  button = {};
  reaction.release = true;
  reaction.redraw = true;
  return reaction;
}

QuickMenuReaction OnQuickMenuMouseLeave(QuickMenuButton& button, bool inHitArea) {
  QuickMenuReaction reaction;
  if (inHitArea) return reaction;
  button.hover = false;
  reaction.redraw = true;
  return reaction;
}

}  // namespace corvane
