// Controls that follow the edges of a resizable dialog: each corner of a
// control is pinned at a percentage of the client area's width and height,
// and keeps its pixel distance from that point as the dialog changes size.
// The size grip in the dialog's lower-right corner, and the hit test that
// lets the user drag it.
#pragma once

#include <optional>

namespace corvane {

// A rectangle in client or screen pixels, laid out like the system's RECT
// (right and bottom exclusive), so window code converts it field by field.
struct LayoutRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

inline bool operator==(const LayoutRect& a, const LayoutRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const LayoutRect& a, const LayoutRect& b) { return !(a == b); }

inline int Width(const LayoutRect& r) { return r.right - r.left; }
inline int Height(const LayoutRect& r) { return r.bottom - r.top; }

// Percentages of the client width (x) and height (y): (0, 0) top-left,
// (100, 100) bottom-right.
struct Anchor {
  int x = 0;
  int y = 0;
};

inline bool operator==(const Anchor& a, const Anchor& b) { return a.x == b.x && a.y == b.y; }

// For the bottom-right corner: move it with the top-left one.
inline constexpr Anchor kNoAnchor{-1, -1};

// The corners of the client area.
inline constexpr Anchor kTopLeft{0, 0};
inline constexpr Anchor kTopRight{100, 0};
inline constexpr Anchor kBottomLeft{0, 100};
inline constexpr Anchor kBottomRight{100, 100};

struct AnchoredControl {
  Anchor topLeft;
  Anchor bottomRight;
  // Pixel distances of the corners from their anchor points: left and top
  // belong to the top-left corner, right and bottom to the bottom-right one.
  LayoutRect margins;
};

// Records where control (client coordinates) sits relative to its anchors in
// a client area of the given size.
AnchoredControl AnchorControl(const LayoutRect& control, int clientWidth, int clientHeight,
                              Anchor topLeft, Anchor bottomRight);

// The control's rectangle for a client area of the given size.
LayoutRect AnchoredRect(const AnchoredControl& control, int clientWidth, int clientHeight);

// The deferred-move flags for taking a control from current to target: no
// z-order change and no activation, plus "no move" or "no size" for what
// stays; nothing when the rectangles are equal and the control is skipped.
inline constexpr unsigned kMoveNoSize = 0x0001;
inline constexpr unsigned kMoveNoMove = 0x0002;
inline constexpr unsigned kMoveKeepOrderAndFocus = 0x0214;
std::optional<unsigned> AnchoredMoveFlags(const LayoutRect& current, const LayoutRect& target);

// The client area's bottom-right grip_width x grip_height square.
LayoutRect SizeGripRect(const LayoutRect& client, int gripWidth, int gripHeight);

// Whether a point in client coordinates is on the grip.  Points left of or
// above the client area never are, even if the grip reaches there in a
// dialog smaller than the grip.
bool IsOnSizeGrip(const LayoutRect& grip, int x, int y);

}  // namespace corvane
