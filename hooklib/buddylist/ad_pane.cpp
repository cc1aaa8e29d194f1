#include "hooklib/buddylist/ad_pane.h"

namespace corvane {
namespace {

constexpr std::string_view kBlankPaneStart =
    "<HTML><BODY BGCOLOR=\"#e0dfe3\"><FONT FACE=\"\" SIZE=1><A HREF=\"";
constexpr std::string_view kBlankPaneEnd = "\">A</FONT></BODY></HTML>";

using buddy_list_metrics::kTickerPaneHeight;

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

}  // namespace

std::string HostBlankPaneText() {
  std::string text(kBlankPaneStart);
  text += kHostWebSiteAddress;
  text += kBlankPaneEnd;
  return text;
}

// Compared piece by piece so that painting never allocates.
bool IsHostBlankPaneText(std::string_view text) {
  if (text.size() != kBlankPaneStart.size() + kHostWebSiteAddress.size() + kBlankPaneEnd.size())
    return false;
  if (!StartsWith(text, kBlankPaneStart)) return false;
  text.remove_prefix(kBlankPaneStart.size());
  if (!StartsWith(text, kHostWebSiteAddress)) return false;
  text.remove_prefix(kHostWebSiteAddress.size());
  return text == kBlankPaneEnd;
}

AdPaneDecision DecideAdPane(const AdPaneFacts& pane, const BuddyListClient& client,
                            const LayoutSettings& settings) {
  if (!settings.removeAds) return {AdPaneMove::kNone, 0, 0, 0, 0};
  if (settings.allowStockTicker && pane.clientHeight == kTickerPaneHeight &&
      !IsHostBlankPaneText(pane.text)) {
    return {AdPaneMove::kPlaceAsTicker, pane.leftInParent, client.height - kTickerPaneHeight,
            pane.clientWidth, pane.clientHeight};
  }
  return {AdPaneMove::kHide, 0, 0, 0, 0};
}

}  // namespace corvane
