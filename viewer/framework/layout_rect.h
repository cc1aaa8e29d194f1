// A rectangle in client or screen pixels, laid out like the system's RECT
// (right and bottom exclusive), so window code converts it field by field.
#pragma once

namespace corvane {

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

}  // namespace corvane
