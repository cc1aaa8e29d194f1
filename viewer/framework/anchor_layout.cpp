#include "viewer/framework/anchor_layout.h"

namespace corvane {
namespace {

// Integer percentages, truncated towards zero.  Margins and layout round the
// same way, so an unchanged client size gives back the original rectangle.
int Share(int extent, int percent) { return extent * percent / 100; }

}  // namespace

AnchoredControl AnchorControl(const LayoutRect& control, int clientWidth, int clientHeight,
                              Anchor topLeft, Anchor bottomRight) {
  AnchoredControl anchored;
  anchored.topLeft = topLeft;
  anchored.bottomRight = bottomRight == kNoAnchor ? topLeft : bottomRight;
  anchored.margins.left = control.left - Share(clientWidth, anchored.topLeft.x);
  anchored.margins.top = control.top - Share(clientHeight, anchored.topLeft.y);
  anchored.margins.right = control.right - Share(clientWidth, anchored.bottomRight.x);
  anchored.margins.bottom = control.bottom - Share(clientHeight, anchored.bottomRight.y);
  return anchored;
}

LayoutRect AnchoredRect(const AnchoredControl& control, int clientWidth, int clientHeight) {
  LayoutRect r;
  r.left = control.margins.left + Share(clientWidth, control.topLeft.x);
  r.top = control.margins.top + Share(clientHeight, control.topLeft.y);
  r.right = control.margins.right + Share(clientWidth, control.bottomRight.x);
  r.bottom = control.margins.bottom + Share(clientHeight, control.bottomRight.y);
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

LayoutRect SizeGripRect(const LayoutRect& client, int gripWidth, int gripHeight) {
  LayoutRect grip = client;
  grip.left = client.right - gripWidth;
  grip.top = client.bottom - gripHeight;
  return grip;
}

bool IsOnSizeGrip(const LayoutRect& grip, int x, int y) {
  return x >= 0 && y >= 0 && x >= grip.left && x < grip.right && y >= grip.top && y < grip.bottom;
}

}  // namespace corvane
