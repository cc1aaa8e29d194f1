// Which anchored controls need help to look right after a re-layout.  Moving
// a control with a deferred move does not redraw what it shows relative to
// its own edges.
#pragma once

#include <cstdint>
#include <string_view>

#include "viewer/framework/anchor_layout.h"

namespace corvane {

// A group box (button style type 7) is drawn behind the controls it frames;
// it has to clip its siblings so that moving it does not paint over them.
bool IsGroupBoxStyle(std::uint32_t style);

// Whether a control (its window class in upper case) covers its whole
// rectangle when it draws.  A group box, a static frame or line, an
// owner-drawn static and a transparent window show the dialog's background
// through, so the dialog still draws behind them.
bool CoversItsRectangle(std::string_view upperClass, std::uint32_t style, std::uint32_t exStyle);

// Left, centre and right-aligned static texts and centred images are laid
// out against the control's width, so they are repainted after every
// re-layout that changes them.  Simple text (type 0x0B) never is.
bool StaticNeedsRepaint(std::uint32_t style);

// A list box scrolled sideways needs a repaint when its new width leaves the
// scroll position beyond the range it can still scroll (scroll_limit is the
// horizontal extent it was given; 0 when it has none).
bool ListBoxNeedsRepaint(int scrollLimit, int scrollPosition, const LayoutRect& current,
                         const LayoutRect& target);

}  // namespace corvane
