// What a WndAte32Class pane of the Buddy List does with itself when it is
// painted: the stock ticker moves to the bottom row, every other pane hides.
// Platform-free; the procedure applies the move and then lets the child
// layout rule see the resulting position change.
#pragma once

#include <string>
#include <string_view>

#include "hooklib/buddylist/child_layout.h"

namespace corvane {

// The host's web site, as the host writes it into an empty 16-pixel pane.
inline constexpr std::string_view kHostWebSiteAddress = "http://www.hostmessenger.example/";

// The whole text of an empty 16-pixel pane.  Such a pane has nothing to show,
// so it is not kept as a ticker.
std::string HostBlankPaneText();
bool IsHostBlankPaneText(std::string_view text);

struct AdPaneFacts {
  int clientWidth;
  int clientHeight;
  int leftInParent;       // current left edge in the Buddy List's client coordinates
  std::string_view text;  // the pane's window text
};

enum class AdPaneMove {
  kNone,           // advertising is not removed: the host paints as usual
  kPlaceAsTicker,  // MoveWindow without repainting to the rectangle below
  kHide,           // SetWindowPos to HWND_BOTTOM at (0, 0), size 0, no flags
};

struct AdPaneDecision {
  AdPaneMove move;
  int x;
  int y;
  int width;
  int height;
};

AdPaneDecision DecideAdPane(const AdPaneFacts& pane, const BuddyListClient& client,
                            const LayoutSettings& settings);

}  // namespace corvane
