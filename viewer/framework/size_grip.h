// The size grip drawn in the lower-right corner of a resizable dialog, and
// the hit test that lets the user drag it.
#pragma once

#include "viewer/framework/layout_rect.h"

namespace corvane {

// The client area's bottom-right grip_width x grip_height square.
LayoutRect SizeGripRect(const LayoutRect& client, int gripWidth, int gripHeight);

// Whether a point in client coordinates is on the grip.  Points left of or
// above the client area never are, even if the grip reaches there in a
// dialog smaller than the grip.
bool IsOnSizeGrip(const LayoutRect& grip, int x, int y);

}  // namespace corvane
