// Prints where the Buddy List's children end up when the stand-in host lays
// out a Buddy List of a given client size under given settings: the host's
// own proposals passed through the child layout rules, then the advertising
// panes' own move when they paint.  The end-to-end test compares the host's
// real windows with these lines.
//
//   layout_expect blank-text
//       prints the host's blank-pane text
//   layout_expect W H RemoveAds GenButtons ListButtons Tabs AllowStockTicker blank|news
//       prints "ID X Y WIDTH HEIGHT" per child, in the parent's client
//       coordinates; the last word says what the ticker pane shows
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "hooklib/buddylist/ad_pane.h"
#include "hooklib/buddylist/child_layout.h"
#include "testhost/buddy_list_placement.h"

namespace {

using corvane::BuddyListClient;
using corvane::InsertAfter;
using corvane::LayoutSettings;
using corvane::WindowPosProposal;
using testhost::ChildPlacement;

constexpr char kNewsText[] = "DJIA 10,452.74";

struct Layout {
  BuddyListClient client;
  LayoutSettings settings;
  std::string tickerText;
};

WindowPosProposal ProposalOf(const ChildPlacement& p) {
  return {InsertAfter::kAsProposed, p.x, p.y, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE};
}

WindowPosProposal Settled(const corvane::LayoutAnswer& answer) { return answer.position; }

WindowPosProposal PaneLayout(const Layout& layout, const WindowPosProposal& proposed) {
  return Settled(corvane::ChildLayout(proposed, layout.client, layout.settings, "WndAte32Class"));
}

// A pane moves itself when it paints; the move goes through the rule again.
WindowPosProposal AfterPaint(const Layout& layout, const WindowPosProposal& placed, int id) {
  const std::string text = id == testhost::kIdTickerPane ? layout.tickerText : "";
  const corvane::AdPaneDecision decision =
      corvane::DecideAdPane({placed.cx, placed.cy, placed.x, text}, layout.client, layout.settings);
  switch (decision.move) {
    case corvane::AdPaneMove::kNone:
      return placed;
    case corvane::AdPaneMove::kPlaceAsTicker:
      return PaneLayout(layout, {InsertAfter::kAsProposed, decision.x, decision.y, decision.width,
                                 decision.height, SWP_NOZORDER | SWP_NOACTIVATE});
    case corvane::AdPaneMove::kHide:
      break;
  }
  return PaneLayout(layout, {InsertAfter::kBottom, 0, 0, 0, 0, 0});
}

WindowPosProposal DirectChild(const Layout& layout, const ChildPlacement& placement) {
  const WindowPosProposal proposed = ProposalOf(placement);
  const int id = placement.id;
  const bool generalButton = (id >= testhost::kIdGeneralButton &&
                              id < testhost::kIdGeneralButton + testhost::kGeneralButtonCount) ||
                             id == testhost::kIdMoreButton || id == testhost::kIdTickerLeft ||
                             id == testhost::kIdTickerRight;
  // The anchor only places the quick-menu button, never the general buttons.
  if (generalButton)
    return corvane::GeneralButtonLayout(proposed, layout.client, layout.settings, {103, 0})
        .position;
  switch (id) {
    case testhost::kIdStatic:
      return Settled(
          corvane::ChildLayout(proposed, layout.client, layout.settings, "_Oscar_Static"));
    case testhost::kIdAdPane:
    case testhost::kIdTickerPane:
      return AfterPaint(layout, PaneLayout(layout, proposed), id);
    case testhost::kIdAdText:
      return Settled(corvane::ChildLayout(proposed, layout.client, layout.settings, "Ate32Class"));
    case testhost::kIdSeparator:
      return Settled(
          corvane::ChildLayout(proposed, layout.client, layout.settings, "_Oscar_Separator"));
    case testhost::kIdTabGroup:
      return Settled(corvane::TabGroupLayout(proposed, layout.client, layout.settings));
    case testhost::kIdSearchEdit:
      return Settled(corvane::ButtonRowEditLayout(proposed, layout.client, layout.settings));
  }
  return proposed;
}

WindowPosProposal TabGroupChild(const Layout& layout, const ChildPlacement& placement) {
  const WindowPosProposal proposed = ProposalOf(placement);
  if (placement.id == testhost::kIdTree)
    return Settled(corvane::BuddyTreeLayout(proposed, layout.client, layout.settings));
  return Settled(corvane::ListButtonLayout(proposed, layout.client, layout.settings));
}

void Print(int id, const WindowPosProposal& p) {
  std::printf("%d %d %d %d %d\n", id, p.x, p.y, p.cx, p.cy);
}

bool Flag(const char* text) { return std::strcmp(text, "0") != 0; }

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "blank-text") == 0) {
    std::printf("%s\n", corvane::HostBlankPaneText().c_str());
    return 0;
  }
  if (argc != 9) {
    std::fprintf(stderr,
                 "usage: layout_expect W H RemoveAds GenButtons ListButtons Tabs AllowStockTicker "
                 "blank|news\n");
    return 2;
  }
  Layout layout;
  layout.client = {std::atoi(argv[1]), std::atoi(argv[2])};
  layout.settings = {Flag(argv[3]), Flag(argv[4]), Flag(argv[5]), Flag(argv[6]), Flag(argv[7])};
  layout.tickerText = std::strcmp(argv[8], "blank") == 0 ? corvane::HostBlankPaneText() : kNewsText;

  WindowPosProposal tabGroup = {};
  for (const ChildPlacement& placement :
       testhost::BuddyListPlacements(layout.client.width, layout.client.height)) {
    const WindowPosProposal placed = DirectChild(layout, placement);
    if (placement.id == testhost::kIdTabGroup) tabGroup = placed;
    Print(placement.id, placed);
  }
  for (const ChildPlacement& placement : testhost::TabGroupPlacements(tabGroup.cx, tabGroup.cy))
    Print(placement.id, TabGroupChild(layout, placement));
  return 0;
}
