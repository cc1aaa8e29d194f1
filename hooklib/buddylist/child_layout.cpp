#include "hooklib/buddylist/child_layout.h"

namespace corvane {
namespace {

using namespace buddy_list_metrics;

constexpr std::string_view kStaticClass = "_Oscar_Static";

LayoutAnswer LeftToHost(const WindowPosProposal& proposed) { return {false, proposed}; }

// Shrinks the window to nothing at the parent's origin.
WindowPosProposal Hidden(WindowPosProposal position) {
  position.x = 0;
  position.y = 0;
  position.cx = 0;
  position.cy = 0;
  return position;
}

QuickMenuAnchor AnchorAfter(const QuickMenuAnchor& anchor, const WindowPosProposal& button) {
  const int right = button.x + button.cx;
  return {right > anchor.x ? right : anchor.x, button.y};
}

}  // namespace

int TickerAllowance(const LayoutSettings& settings) {
  return settings.allowStockTicker ? kTickerRowHeight : 0;
}

LayoutAnswer TabGroupLayout(const WindowPosProposal& proposed, const BuddyListClient& client,
                            const LayoutSettings& settings) {
  if (!settings.removeAds) return LeftToHost(proposed);
  WindowPosProposal pos = proposed;
  pos.insertAfter = InsertAfter::kTopmost;
  pos.x = 0;
  pos.y = kTabGroupMargin;
  pos.cx = client.width - kTabGroupMargin;
  pos.cy = client.height - kTabGroupMargin - TickerAllowance(settings);
  if (settings.genButtons) pos.cy -= kGeneralRowHeight;
  if (!settings.tabs) {
    pos.y = kTabGroupTopWithoutTabs;
    pos.cy += kTabStripHeight;
  }
  return {true, pos};
}

LayoutAnswer BuddyTreeLayout(const WindowPosProposal& proposed, const BuddyListClient& client,
                             const LayoutSettings& settings) {
  if (!settings.removeAds) return LeftToHost(proposed);
  WindowPosProposal pos = proposed;
  pos.cx -= kTreeNarrowing;
  pos.cy = client.height - pos.y - kTreeBottomMargin - TickerAllowance(settings);
  if (settings.genButtons) pos.cy -= kGeneralRowHeight;
  if (settings.listButtons) pos.cy -= kListRowHeight;
  if (!settings.tabs) pos.cy += kTreeGainWithoutTabs;
  return {true, pos};
}

LayoutAnswer ListButtonLayout(const WindowPosProposal& proposed, const BuddyListClient& client,
                              const LayoutSettings& settings) {
  if (!settings.removeAds) return LeftToHost(proposed);
  if (!settings.listButtons) return {true, Hidden(proposed)};
  WindowPosProposal pos = proposed;
  pos.insertAfter = InsertAfter::kTop;
  pos.y = client.height - TickerAllowance(settings) -
          (settings.genButtons ? kListButtonsAboveTickerWithGeneral : kListButtonsAboveTickerAlone);
  if (!settings.tabs) pos.y += kTabStripHeight;
  return {true, pos};
}

GeneralButtonAnswer GeneralButtonLayout(const WindowPosProposal& proposed,
                                        const BuddyListClient& client,
                                        const LayoutSettings& settings,
                                        const QuickMenuAnchor& anchor) {
  const bool wide = proposed.cx > kNarrowButtonMaxWidth;
  if (wide && settings.genButtons) {
    WindowPosProposal pos = proposed;
    const bool compact = settings.removeAds;
    const bool shortButton = proposed.cy < kShortButtonHeight;
    if (compact) {
      pos.insertAfter = InsertAfter::kTop;
      pos.y = client.height - TickerAllowance(settings) - kGeneralButtonsAboveTicker;
      if (shortButton) pos.x -= kShortButtonShiftLeft;
    }
    const QuickMenuAnchor newAnchor = AnchorAfter(anchor, pos);
    // The short buttons sit lower, but the QuickMenuButton stays at the row's top.
    if (compact && shortButton) pos.y += kShortButtonDrop;
    return {pos, newAnchor};
  }

  const QuickMenuAnchor newAnchor = wide ? AnchorAfter(anchor, proposed) : anchor;
  if (!settings.removeAds) return {proposed, newAnchor};
  if (settings.allowStockTicker && !wide) {
    WindowPosProposal pos = proposed;
    pos.insertAfter = InsertAfter::kTop;
    pos.y = client.height - kTickerButtonsAboveBottom;
    return {pos, newAnchor};
  }
  return {Hidden(proposed), newAnchor};
}

LayoutAnswer ButtonRowEditLayout(const WindowPosProposal& proposed, const BuddyListClient& client,
                                 const LayoutSettings& settings) {
  if (!settings.removeAds) return LeftToHost(proposed);
  if (!settings.genButtons) return {true, Hidden(proposed)};
  WindowPosProposal pos = proposed;
  pos.insertAfter = InsertAfter::kTop;
  pos.x += kEditShiftRight;
  pos.cx -= kEditNarrowing;
  pos.y = client.height - TickerAllowance(settings) - kEditAboveTicker;
  return {true, pos};
}

LayoutAnswer ChildLayout(const WindowPosProposal& proposed, const BuddyListClient& client,
                         const LayoutSettings& settings, std::string_view windowClass) {
  if (!settings.removeAds) return LeftToHost(proposed);
  WindowPosProposal pos = proposed;
  if (settings.allowStockTicker && proposed.cy == kTickerPaneHeight &&
      windowClass != kStaticClass) {
    pos.insertAfter = InsertAfter::kTop;
    pos.y = client.height - kTickerRowHeight;
    return {true, pos};
  }
  pos = Hidden(pos);
  pos.insertAfter = InsertAfter::kBottom;
  return {true, pos};
}

}  // namespace corvane
