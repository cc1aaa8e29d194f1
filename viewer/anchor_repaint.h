// Which anchored controls need help to look right after a re-layout.  Moving
// a control with a deferred move does not redraw what it shows relative to
// its own edges.
#pragma once

#include <cstdint>

#include "layout_rect.h"

namespace corvane {

// A group box (button style type 7) is drawn behind the controls it frames;
// it has to clip its siblings so that moving it does not paint over them.
bool IsGroupBoxStyle(std::uint32_t style);

// Left, centre and right-aligned static texts and centred images are laid
// out against the control's width, so they are repainted after every
// re-layout.  Simple text (type 0x0B) never is.
bool StaticNeedsRepaint(std::uint32_t style);

// A list box scrolled sideways needs a repaint when its new width leaves the
// scroll position beyond the range it can still scroll (scroll_limit is the
// horizontal extent it was given; 0 when it has none).
bool ListBoxNeedsRepaint(int scroll_limit, int scroll_position, const LayoutRect& current, const LayoutRect& target);

}  // namespace corvane
