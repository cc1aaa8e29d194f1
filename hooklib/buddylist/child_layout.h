// Where the Buddy List's children go when advertising removal compacts the
// window: each rule rewrites the position the host proposes for one kind of
// child (WM_WINDOWPOSCHANGING).  Platform-free; the window procedures convert
// WINDOWPOS to and from WindowPosProposal and apply the answer.
#pragma once

#include <string_view>

namespace corvane {

// The Buddy List's metrics, in pixels: the one home of the numbers that the
// compacted layout, the advertising pane and the painted button row use.
// Distances "above the bottom" are from the client's bottom edge B.
namespace buddy_list_metrics {
// The stock ticker's row at the bottom edge, kept by AllowStockTicker; the
// ticker pane (16 high) sits at its top, the narrow buttons one lower, and
// the advertising pane that holds the ticker flush with the bottom.
inline constexpr int kTickerRowHeight = 18;
inline constexpr int kTickerPaneHeight = 16;
inline constexpr int kTickerButtonsAboveBottom = 17;
// The general buttons' row, which the tab group and the tree leave free;
// its buttons' top above the ticker row.
inline constexpr int kGeneralRowHeight = 36;
inline constexpr int kGeneralButtonsAboveTicker = 32;
// The Buddy List buttons' row at the bottom of the tab group, and its top
// above the ticker row with and without the general buttons below it.
inline constexpr int kListRowHeight = 32;
inline constexpr int kListButtonsAboveTickerWithGeneral = 73;
inline constexpr int kListButtonsAboveTickerAlone = 37;
// The tab group: 2 from the top and the right, 2 less high; without tabs it
// moves up so that its strip of tabs lies above the Buddy List's top edge,
// and the tree and the buttons inside it follow.
inline constexpr int kTabGroupMargin = 2;
inline constexpr int kTabGroupTopWithoutTabs = -25;
inline constexpr int kTabStripHeight = 27;
inline constexpr int kTreeGainWithoutTabs = 25;
// The tree inside the tab group: narrower by 4, ending 5 above what is below.
inline constexpr int kTreeNarrowing = 4;
inline constexpr int kTreeBottomMargin = 5;
// Icon buttons up to this wide sit in the ticker row; wider ones are general
// buttons, and general buttons lower than kShortButtonHeight are the small
// ones at the end of the row: moved left and down.
inline constexpr int kNarrowButtonMaxWidth = 21;
inline constexpr int kShortButtonHeight = 21;
inline constexpr int kShortButtonShiftLeft = 45;
inline constexpr int kShortButtonDrop = 5;
// The button row's edit box: 2 further right, 47 narrower, its top above
// the ticker row.
inline constexpr int kEditShiftRight = 2;
inline constexpr int kEditNarrowing = 47;
inline constexpr int kEditAboveTicker = 27;
// The QuickMenuButton's left edge while the host has not laid out its buttons.
inline constexpr int kAnchorXAtRest = 103;
// The smallest client the compacted layout fits into: 148 wide, 50 high
// plus 32 for each button row shown and the ticker row when it is kept.
inline constexpr int kMinimumClientWidth = 148;
inline constexpr int kMinimumClientHeight = 50;
inline constexpr int kMinimumButtonRowHeight = 32;
}  // namespace buddy_list_metrics

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
