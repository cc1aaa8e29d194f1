// Where the Buddy List's children go when advertising removal compacts the
// window: each rule rewrites the position the host proposes for one kind of
// child (WM_WINDOWPOSCHANGING).  Platform-free; the window procedures convert
// WINDOWPOS to and from WindowPosProposal and apply the answer.
#pragma once

#include <string_view>

namespace corvane {

// The insert-after field.  The host's own value is opaque here: a rule either
// keeps it or replaces it with one of the special handles.
enum class InsertAfter {
  kAsProposed,  // whatever the host put there, left alone
  kTop,         // HWND_TOP
  kBottom,      // HWND_BOTTOM
  kTopmost,     // HWND_TOPMOST
};

struct WindowPosProposal {
  InsertAfter insertAfter;
  int x;
  int y;
  int cx;
  int cy;
  unsigned flags;  // never changed, so what the host told the system to ignore stays ignored
};

// The settings that act on the layout; a nonzero stored flag counts as on.
struct LayoutSettings {
  bool removeAds;
  bool genButtons;
  bool listButtons;
  bool tabs;
  bool allowStockTicker;
};

// The Buddy List's client rectangle: W is its right, B its bottom.
struct BuddyListClient {
  int width;   // W
  int height;  // B
};

// Top-left corner of the QuickMenuButton, which sits right of the rightmost
// wide general button at the top of the button row.
struct QuickMenuAnchor {
  int x;
  int y;
};

// The stock ticker's row at the bottom edge: 18 pixels when it is kept, else 0.
int TickerAllowance(const LayoutSettings& settings);

// What a rule did with the proposal.  When answered, the procedure returns 0
// and the host's procedure does not see the message.
struct LayoutAnswer {
  bool answered;
  WindowPosProposal position;
};

// The general buttons' answer: this message never reaches the host, whatever
// RemoveAds says, because the anchor is recorded from it either way.
struct GeneralButtonAnswer {
  WindowPosProposal position;
  QuickMenuAnchor anchor;
};

// _Oscar_TabGroup in the Buddy List.
LayoutAnswer TabGroupLayout(const WindowPosProposal& proposed, const BuddyListClient& client,
                            const LayoutSettings& settings);

// _Oscar_Tree in the tab group; y is in the tab group's client coordinates.
LayoutAnswer BuddyTreeLayout(const WindowPosProposal& proposed, const BuddyListClient& client,
                             const LayoutSettings& settings);

// _Oscar_IconBtn in the tab group (the Buddy List buttons).
LayoutAnswer ListButtonLayout(const WindowPosProposal& proposed, const BuddyListClient& client,
                              const LayoutSettings& settings);

// _Oscar_IconBtn directly in the Buddy List: the general buttons (wide) and
// the ticker-row buttons (narrow).
GeneralButtonAnswer GeneralButtonLayout(const WindowPosProposal& proposed,
                                        const BuddyListClient& client,
                                        const LayoutSettings& settings,
                                        const QuickMenuAnchor& anchor);

// Edit directly in the Buddy List: the edit box of the button row.
LayoutAnswer ButtonRowEditLayout(const WindowPosProposal& proposed, const BuddyListClient& client,
                                 const LayoutSettings& settings);

// _Oscar_Separator, _Oscar_Static, Ate32Class and WndAte32Class in the Buddy
// List: everything is hidden but a 16-pixel stock ticker pane.
LayoutAnswer ChildLayout(const WindowPosProposal& proposed, const BuddyListClient& client,
                         const LayoutSettings& settings, std::string_view windowClass);

}  // namespace corvane
