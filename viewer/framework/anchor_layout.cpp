#include "viewer/framework/anchor_layout.h"

namespace corvane {
namespace {

// Integer percentages, truncated towards zero.  Margins and layout round the
// same way, so an unchanged client size gives back the original rectangle.
int Share(int extent, int percent) { return extent * percent / 100; }

}  // namespace

AnchoredControl AnchorControl(const LayoutRect& control, int client_width, int client_height,
                              Anchor top_left, Anchor bottom_right) {
  AnchoredControl anchored;
  anchored.top_left = top_left;
  anchored.bottom_right = bottom_right == kNoAnchor ? top_left : bottom_right;
  anchored.margins.left = control.left - Share(client_width, anchored.top_left.x);
  anchored.margins.top = control.top - Share(client_height, anchored.top_left.y);
  anchored.margins.right = control.right - Share(client_width, anchored.bottom_right.x);
  anchored.margins.bottom = control.bottom - Share(client_height, anchored.bottom_right.y);
  return anchored;
}

LayoutRect AnchoredRect(const AnchoredControl& control, int client_width, int client_height) {
  LayoutRect r;
  r.left = control.margins.left + Share(client_width, control.top_left.x);
  r.top = control.margins.top + Share(client_height, control.top_left.y);
  r.right = control.margins.right + Share(client_width, control.bottom_right.x);
  r.bottom = control.margins.bottom + Share(client_height, control.bottom_right.y);
  return r;
}

std::optional<unsigned> AnchoredMoveFlags(const LayoutRect& current, const LayoutRect& target) {
  if (current == target) {
    return std::nullopt;
  }
  unsigned flags = kMoveKeepOrderAndFocus;
  if (current.left == target.left && current.top == target.top) {
    flags |= kMoveNoMove;
  }
  if (Width(current) == Width(target) && Height(current) == Height(target)) {
    flags |= kMoveNoSize;
  }
  return flags;
}

}  // namespace corvane
