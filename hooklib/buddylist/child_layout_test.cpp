#include "hooklib/buddylist/child_layout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace corvane {

bool operator==(const WindowPosProposal& a, const WindowPosProposal& b) {
  return a.insertAfter == b.insertAfter && a.x == b.x && a.y == b.y && a.cx == b.cx &&
         a.cy == b.cy && a.flags == b.flags;
}

void PrintTo(const WindowPosProposal& p, std::ostream* out) {
  static const char* const kNames[] = {"as proposed", "top", "bottom", "topmost"};
  *out << "{" << kNames[static_cast<int>(p.insertAfter)] << ", x " << p.x << ", y " << p.y
       << ", cx " << p.cx << ", cy " << p.cy << ", flags " << std::hex << p.flags << std::dec
       << "}";
}

namespace {

constexpr unsigned kFlags = 0x0214;  // SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_NOZORDER
constexpr QuickMenuAnchor kAnchorAtRest{103, 0};

WindowPosProposal Pos(InsertAfter z, int x, int y, int cx, int cy, unsigned flags = kFlags) {
  return {z, x, y, cx, cy, flags};
}
WindowPosProposal Proposal(int x, int y, int cx, int cy, unsigned flags = kFlags) {
  return Pos(InsertAfter::kAsProposed, x, y, cx, cy, flags);
}
WindowPosProposal HiddenAs(InsertAfter z, unsigned flags = kFlags) {
  return Pos(z, 0, 0, 0, 0, flags);
}

// Proposals as the host makes them for a Buddy List of about 180 by 400.
const WindowPosProposal kTabGroup = Proposal(4, 40, 170, 300);
const WindowPosProposal kTree = Proposal(2, 24, 166, 240);
const WindowPosProposal kListButton = Proposal(40, 270, 32, 28);
const WindowPosProposal kWideButton = Proposal(4, 330, 34, 32);
const WindowPosProposal kShortWideButton = Proposal(150, 335, 24, 18);
const WindowPosProposal kNarrowButton = Proposal(0, 380, 12, 16);
const WindowPosProposal kEdit = Proposal(10, 300, 150, 20);
const WindowPosProposal kTickerPane = Proposal(20, 380, 120, 16);
const WindowPosProposal kAdPane = Proposal(0, 340, 180, 60);

LayoutSettings FromBits(unsigned bits) {
  return {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0, (bits & 16) != 0};
}

std::string Describe(const LayoutSettings& s) {
  return std::string("RemoveAds ") + (s.removeAds ? "on" : "off") + ", GenButtons " +
         (s.genButtons ? "on" : "off") + ", ListButtons " + (s.listButtons ? "on" : "off") +
         ", Tabs " + (s.tabs ? "on" : "off") + ", AllowStockTicker " +
         (s.allowStockTicker ? "on" : "off");
}

std::vector<LayoutSettings> AllCombinations() {
  std::vector<LayoutSettings> all;
  for (unsigned bits = 0; bits < 32; ++bits) all.push_back(FromBits(bits));
  return all;
}

const BuddyListClient kSizes[] = {{180, 400}, {148, 250}, {320, 760}, {148, 90}};

// Every child rule of the layout applied to one proposal.
struct Arrangement {
  LayoutAnswer tabGroup, tree, listButton, edit, tickerPane, adPane, ateTicker, static16, separator;
  GeneralButtonAnswer wide, shortWide, narrow;
};

Arrangement Arrange(const BuddyListClient& client, const LayoutSettings& s, unsigned flags) {
  auto with = [flags](WindowPosProposal p) {
    p.flags = flags;
    return p;
  };
  return {
      TabGroupLayout(with(kTabGroup), client, s),
      BuddyTreeLayout(with(kTree), client, s),
      ListButtonLayout(with(kListButton), client, s),
      ButtonRowEditLayout(with(kEdit), client, s),
      ChildLayout(with(kTickerPane), client, s, "WndAte32Class"),
      ChildLayout(with(kAdPane), client, s, "WndAte32Class"),
      ChildLayout(with(kTickerPane), client, s, "Ate32Class"),
      ChildLayout(with(kTickerPane), client, s, "_Oscar_Static"),
      ChildLayout(with(Proposal(0, 200, 180, 2)), client, s, "_Oscar_Separator"),
      GeneralButtonLayout(with(kWideButton), client, s, kAnchorAtRest),
      GeneralButtonLayout(with(kShortWideButton), client, s, kAnchorAtRest),
      GeneralButtonLayout(with(kNarrowButton), client, s, kAnchorAtRest),
  };
}

std::vector<WindowPosProposal> Positions(const Arrangement& a) {
  return {a.tabGroup.position,   a.tree.position,   a.listButton.position, a.edit.position,
          a.tickerPane.position, a.adPane.position, a.ateTicker.position,  a.static16.position,
          a.separator.position,  a.wide.position,   a.shortWide.position,  a.narrow.position};
}

// --- Whole arrangements with the numbers worked out by hand -----------------

TEST(ChildLayout, EverythingKeptOnA180By400List) {
  const Arrangement a = Arrange({180, 400}, {true, true, true, true, true}, kFlags);
  EXPECT_EQ(a.tabGroup.position, Pos(InsertAfter::kTopmost, 0, 2, 178, 344));
  EXPECT_EQ(a.tree.position, Proposal(2, 24, 162, 285));
  EXPECT_EQ(a.listButton.position, Pos(InsertAfter::kTop, 40, 309, 32, 28));
  EXPECT_EQ(a.wide.position, Pos(InsertAfter::kTop, 4, 350, 34, 32));
  EXPECT_EQ(a.shortWide.position, Pos(InsertAfter::kTop, 105, 355, 24, 18));
  EXPECT_EQ(a.narrow.position, Pos(InsertAfter::kTop, 0, 383, 12, 16));
  EXPECT_EQ(a.edit.position, Pos(InsertAfter::kTop, 12, 355, 103, 20));
  EXPECT_EQ(a.tickerPane.position, Pos(InsertAfter::kTop, 20, 382, 120, 16));
  EXPECT_EQ(a.ateTicker.position, Pos(InsertAfter::kTop, 20, 382, 120, 16));
  EXPECT_EQ(a.adPane.position, HiddenAs(InsertAfter::kBottom));
  EXPECT_EQ(a.static16.position, HiddenAs(InsertAfter::kBottom));
  EXPECT_EQ(a.separator.position, HiddenAs(InsertAfter::kBottom));
}

TEST(ChildLayout, DefaultSettingsOnASmall148By250List) {
  const Arrangement a = Arrange({148, 250}, {true, true, true, true, false}, kFlags);
  EXPECT_EQ(a.tabGroup.position, Pos(InsertAfter::kTopmost, 0, 2, 146, 212));
  EXPECT_EQ(a.tree.position, Proposal(2, 24, 162, 153));
  EXPECT_EQ(a.listButton.position, Pos(InsertAfter::kTop, 40, 177, 32, 28));
  EXPECT_EQ(a.wide.position, Pos(InsertAfter::kTop, 4, 218, 34, 32));
  EXPECT_EQ(a.shortWide.position, Pos(InsertAfter::kTop, 105, 223, 24, 18));
  EXPECT_EQ(a.narrow.position, HiddenAs(InsertAfter::kAsProposed));
  EXPECT_EQ(a.edit.position, Pos(InsertAfter::kTop, 12, 223, 103, 20));
  EXPECT_EQ(a.tickerPane.position, HiddenAs(InsertAfter::kBottom));
}

TEST(ChildLayout, AllSubOptionsOffLeavesOnlyTheTabGroupFromMinus25ToTheBottom) {
  const BuddyListClient client{180, 400};
  const Arrangement a = Arrange(client, {true, false, false, false, false}, kFlags);
  const WindowPosProposal& group = a.tabGroup.position;
  EXPECT_EQ(group, Pos(InsertAfter::kTopmost, 0, -25, 178, 425));
  EXPECT_EQ(group.y + group.cy, client.height);
  EXPECT_EQ(group.cx, client.width - 2);
  EXPECT_EQ(a.tree.position, Proposal(2, 24, 162, 396));
  EXPECT_EQ(a.listButton.position, HiddenAs(InsertAfter::kAsProposed));
  EXPECT_EQ(a.wide.position, HiddenAs(InsertAfter::kAsProposed));
  EXPECT_EQ(a.shortWide.position, HiddenAs(InsertAfter::kAsProposed));
  EXPECT_EQ(a.narrow.position, HiddenAs(InsertAfter::kAsProposed));
  EXPECT_EQ(a.edit.position, HiddenAs(InsertAfter::kAsProposed));
  EXPECT_EQ(a.tickerPane.position, HiddenAs(InsertAfter::kBottom));
  EXPECT_EQ(a.ateTicker.position, HiddenAs(InsertAfter::kBottom));
  EXPECT_EQ(a.adPane.position, HiddenAs(InsertAfter::kBottom));
  EXPECT_EQ(a.static16.position, HiddenAs(InsertAfter::kBottom));
  EXPECT_EQ(a.separator.position, HiddenAs(InsertAfter::kBottom));
}

// --- All 32 combinations of the settings ------------------------------------

TEST(ChildLayout, RemoveAdsOffLeavesEveryPositionToTheHost) {
  for (const LayoutSettings& s : AllCombinations()) {
    if (s.removeAds) continue;
    SCOPED_TRACE(Describe(s));
    for (const BuddyListClient& client : kSizes) {
      const Arrangement a = Arrange(client, s, kFlags);
      for (const LayoutAnswer* answer :
           {&a.tabGroup, &a.tree, &a.listButton, &a.edit, &a.tickerPane, &a.adPane, &a.ateTicker,
            &a.static16, &a.separator}) {
        EXPECT_FALSE(answer->answered);
      }
      EXPECT_EQ(a.tabGroup.position, kTabGroup);
      EXPECT_EQ(a.tree.position, kTree);
      EXPECT_EQ(a.listButton.position, kListButton);
      EXPECT_EQ(a.edit.position, kEdit);
      EXPECT_EQ(a.tickerPane.position, kTickerPane);
      EXPECT_EQ(a.adPane.position, kAdPane);
      EXPECT_EQ(a.wide.position, kWideButton);
      EXPECT_EQ(a.shortWide.position, kShortWideButton);
      EXPECT_EQ(a.narrow.position, kNarrowButton);
      // The anchor follows the wide buttons whatever GenButtons says.
      EXPECT_EQ(a.wide.anchor.y, kWideButton.y);
      EXPECT_EQ(a.wide.anchor.x, 103);  // 4 + 34 is left of the resting anchor
      EXPECT_EQ(a.shortWide.anchor.y, kShortWideButton.y);
      EXPECT_EQ(a.shortWide.anchor.x, 150 + 24);
      EXPECT_EQ(a.narrow.anchor.x, kAnchorAtRest.x);
      EXPECT_EQ(a.narrow.anchor.y, kAnchorAtRest.y);
    }
  }
}

// The compacted arrangement from the bottom edge up, as a table of places.
TEST(ChildLayout, EveryCombinationMatchesTheCompactedArrangement) {
  for (const LayoutSettings& s : AllCombinations()) {
    if (!s.removeAds) continue;
    SCOPED_TRACE(Describe(s));
    const int t = s.allowStockTicker ? 18 : 0;
    for (const BuddyListClient& client : kSizes) {
      const int b = client.height;
      const int w = client.width;
      SCOPED_TRACE("W " + std::to_string(w) + ", B " + std::to_string(b));
      const Arrangement a = Arrange(client, s, kFlags);

      const WindowPosProposal& group = a.tabGroup.position;
      EXPECT_TRUE(a.tabGroup.answered);
      EXPECT_EQ(group.insertAfter, InsertAfter::kTopmost);
      EXPECT_EQ(group.x, 0);
      EXPECT_EQ(group.cx, w - 2);
      EXPECT_EQ(group.y, s.tabs ? 2 : -25);
      EXPECT_EQ(group.y + group.cy, s.genButtons ? b - t - 36 : b - t);

      EXPECT_TRUE(a.tree.answered);
      const int treeBottom =
          b - 5 - t - (s.genButtons ? 36 : 0) - (s.listButtons ? 32 : 0) + (s.tabs ? 0 : 25);
      EXPECT_EQ(a.tree.position, Proposal(kTree.x, kTree.y, kTree.cx - 4, treeBottom - kTree.y));

      EXPECT_TRUE(a.listButton.answered);
      if (s.listButtons) {
        const int y = b - t - (s.genButtons ? 73 : 37) + (s.tabs ? 0 : 27);
        EXPECT_EQ(a.listButton.position,
                  Pos(InsertAfter::kTop, kListButton.x, y, kListButton.cx, kListButton.cy));
      } else {
        EXPECT_EQ(a.listButton.position, HiddenAs(InsertAfter::kAsProposed));
      }

      EXPECT_TRUE(a.edit.answered);
      if (s.genButtons) {
        EXPECT_EQ(a.wide.position, Pos(InsertAfter::kTop, kWideButton.x, b - t - 32, kWideButton.cx,
                                       kWideButton.cy));
        EXPECT_EQ(a.shortWide.position,
                  Pos(InsertAfter::kTop, kShortWideButton.x - 45, b - t - 32 + 5,
                      kShortWideButton.cx, kShortWideButton.cy));
        EXPECT_EQ(a.edit.position,
                  Pos(InsertAfter::kTop, kEdit.x + 2, b - t - 27, kEdit.cx - 47, kEdit.cy));
        // The QuickMenuButton sits at the top of the button row.
        EXPECT_EQ(a.wide.anchor.y, b - t - 32);
        EXPECT_EQ(a.shortWide.anchor.y, b - t - 32);
        EXPECT_EQ(a.shortWide.anchor.x, kShortWideButton.x - 45 + kShortWideButton.cx);
      } else {
        EXPECT_EQ(a.wide.position, HiddenAs(InsertAfter::kAsProposed));
        EXPECT_EQ(a.shortWide.position, HiddenAs(InsertAfter::kAsProposed));
        EXPECT_EQ(a.edit.position, HiddenAs(InsertAfter::kAsProposed));
        // Taken from the host's proposal before the button was hidden.
        EXPECT_EQ(a.wide.anchor.y, kWideButton.y);
        EXPECT_EQ(a.shortWide.anchor.y, kShortWideButton.y);
        EXPECT_EQ(a.shortWide.anchor.x, kShortWideButton.x + kShortWideButton.cx);
      }
      EXPECT_EQ(a.wide.anchor.x, 103);

      if (s.allowStockTicker) {
        EXPECT_EQ(a.narrow.position, Pos(InsertAfter::kTop, kNarrowButton.x, b - 17,
                                         kNarrowButton.cx, kNarrowButton.cy));
        const WindowPosProposal ticker =
            Pos(InsertAfter::kTop, kTickerPane.x, b - 18, kTickerPane.cx, kTickerPane.cy);
        EXPECT_EQ(a.tickerPane.position, ticker);
        EXPECT_EQ(a.ateTicker.position, ticker);
      } else {
        EXPECT_EQ(a.narrow.position, HiddenAs(InsertAfter::kAsProposed));
        EXPECT_EQ(a.tickerPane.position, HiddenAs(InsertAfter::kBottom));
        EXPECT_EQ(a.ateTicker.position, HiddenAs(InsertAfter::kBottom));
      }
      EXPECT_EQ(a.narrow.anchor.x, kAnchorAtRest.x);
      EXPECT_EQ(a.narrow.anchor.y, kAnchorAtRest.y);

      for (const LayoutAnswer* hidden : {&a.adPane, &a.static16, &a.separator}) {
        EXPECT_TRUE(hidden->answered);
        EXPECT_EQ(hidden->position, HiddenAs(InsertAfter::kBottom));
      }
    }
  }
}

// What each setting changes, comparing each combination with the one that
// differs in that setting alone.
TEST(ChildLayout, EachSettingChangesWhatItShould) {
  const BuddyListClient client{180, 400};
  for (const LayoutSettings& s : AllCombinations()) {
    if (!s.removeAds) continue;
    SCOPED_TRACE(Describe(s));
    const Arrangement a = Arrange(client, s, kFlags);

    if (!s.allowStockTicker) {
      LayoutSettings on = s;
      on.allowStockTicker = true;
      const Arrangement b = Arrange(client, on, kFlags);
      EXPECT_EQ(b.tabGroup.position.y, a.tabGroup.position.y);
      EXPECT_EQ(b.tabGroup.position.cy, a.tabGroup.position.cy - 18);
      EXPECT_EQ(b.tree.position.cy, a.tree.position.cy - 18);
      if (s.listButtons) {
        EXPECT_EQ(b.listButton.position.y, a.listButton.position.y - 18);
      }
      if (s.genButtons) {
        EXPECT_EQ(b.wide.position.y, a.wide.position.y - 18);
        EXPECT_EQ(b.shortWide.position.y, a.shortWide.position.y - 18);
        EXPECT_EQ(b.edit.position.y, a.edit.position.y - 18);
      }
      EXPECT_EQ(a.narrow.position.cx, 0);
      EXPECT_EQ(b.narrow.position.cx, kNarrowButton.cx);
      EXPECT_EQ(a.tickerPane.position.cy, 0);
      EXPECT_EQ(b.tickerPane.position.cy, 16);
    }
    if (!s.genButtons) {
      LayoutSettings on = s;
      on.genButtons = true;
      const Arrangement b = Arrange(client, on, kFlags);
      EXPECT_EQ(b.tabGroup.position.cy, a.tabGroup.position.cy - 36);
      EXPECT_EQ(b.tree.position.cy, a.tree.position.cy - 36);
      if (s.listButtons) {
        EXPECT_EQ(b.listButton.position.y, a.listButton.position.y - 36);
      }
      EXPECT_EQ(a.wide.position.cx, 0);
      EXPECT_EQ(b.wide.position.cx, kWideButton.cx);
      EXPECT_EQ(a.edit.position.cx, 0);
      EXPECT_EQ(b.edit.position.cx, kEdit.cx - 47);
      EXPECT_EQ(b.narrow.position, a.narrow.position);
      EXPECT_EQ(b.tickerPane.position, a.tickerPane.position);
    }
    if (!s.listButtons) {
      LayoutSettings on = s;
      on.listButtons = true;
      const Arrangement b = Arrange(client, on, kFlags);
      EXPECT_EQ(b.tree.position.cy, a.tree.position.cy - 32);
      EXPECT_EQ(a.listButton.position.cx, 0);
      EXPECT_EQ(b.listButton.position.cx, kListButton.cx);
      EXPECT_EQ(b.tabGroup.position, a.tabGroup.position);
      EXPECT_EQ(b.wide.position, a.wide.position);
      EXPECT_EQ(b.edit.position, a.edit.position);
    }
    if (!s.tabs) {
      LayoutSettings on = s;
      on.tabs = true;
      const Arrangement b = Arrange(client, on, kFlags);
      EXPECT_EQ(a.tabGroup.position.y, -25);
      EXPECT_EQ(b.tabGroup.position.y, 2);
      EXPECT_EQ(a.tabGroup.position.cy, b.tabGroup.position.cy + 27);
      EXPECT_EQ(a.tree.position.cy, b.tree.position.cy + 25);
      if (s.listButtons) {
        EXPECT_EQ(a.listButton.position.y, b.listButton.position.y + 27);
      }
      EXPECT_EQ(b.wide.position, a.wide.position);
      EXPECT_EQ(b.edit.position, a.edit.position);
      EXPECT_EQ(b.narrow.position, a.narrow.position);
    }
  }
}

TEST(ChildLayout, FlagsAreNeverChanged) {
  const unsigned kFlagSets[] = {
      0u, 0x0001u /*SWP_NOSIZE*/, 0x0002u /*SWP_NOMOVE*/, 0x0004u, 0x0017u, 0x0214u, 0xFFFFFFFFu};
  for (const LayoutSettings& s : AllCombinations()) {
    SCOPED_TRACE(Describe(s));
    for (const BuddyListClient& client : kSizes) {
      for (unsigned flags : kFlagSets) {
        for (const WindowPosProposal& p : Positions(Arrange(client, s, flags))) {
          EXPECT_EQ(p.flags, flags);
        }
      }
    }
  }
}

// --- Single rules and their boundaries --------------------------------------

TEST(GeneralButtonLayout, AlwaysAnsweredAndRecordsTheAnchorWithRemoveAdsOff) {
  for (bool gen : {false, true}) {
    const LayoutSettings s{false, gen, true, true, true};
    const GeneralButtonAnswer a =
        GeneralButtonLayout(Proposal(110, 12, 40, 30), {180, 400}, s, kAnchorAtRest);
    EXPECT_EQ(a.position, Proposal(110, 12, 40, 30));
    EXPECT_EQ(a.anchor.x, 150);
    EXPECT_EQ(a.anchor.y, 12);
  }
}

TEST(GeneralButtonLayout, TwentyOneWideIsNarrowAndTwentyTwoIsWide) {
  const BuddyListClient client{180, 400};
  const LayoutSettings s{true, true, true, true, true};
  const GeneralButtonAnswer narrow =
      GeneralButtonLayout(Proposal(120, 380, 21, 16), client, s, kAnchorAtRest);
  EXPECT_EQ(narrow.position, Pos(InsertAfter::kTop, 120, 383, 21, 16));
  EXPECT_EQ(narrow.anchor.x, 103);
  EXPECT_EQ(narrow.anchor.y, 0);

  const GeneralButtonAnswer wide =
      GeneralButtonLayout(Proposal(120, 380, 22, 16), client, s, kAnchorAtRest);
  // A wide button lower than 21 moves 45 left and 5 below the row's top.
  EXPECT_EQ(wide.position, Pos(InsertAfter::kTop, 75, 355, 22, 16));
  EXPECT_EQ(wide.anchor.x, 103);  // 75 + 22 is left of the resting anchor
  EXPECT_EQ(wide.anchor.y, 350);

  // Without the ticker a narrow button is hidden, a wide one kept.
  const LayoutSettings noTicker{true, true, true, true, false};
  EXPECT_EQ(
      GeneralButtonLayout(Proposal(120, 380, 21, 16), client, noTicker, kAnchorAtRest).position,
      HiddenAs(InsertAfter::kAsProposed));
  EXPECT_EQ(
      GeneralButtonLayout(Proposal(120, 380, 22, 24), client, noTicker, kAnchorAtRest).position,
      Pos(InsertAfter::kTop, 120, 368, 22, 24));
}

TEST(GeneralButtonLayout, ButtonsTwentyOneHighOrMoreStayOnTheRowTop) {
  const LayoutSettings s{true, true, false, true, false};
  EXPECT_EQ(GeneralButtonLayout(Proposal(60, 330, 30, 21), {180, 400}, s, kAnchorAtRest).position,
            Pos(InsertAfter::kTop, 60, 368, 30, 21));
  EXPECT_EQ(GeneralButtonLayout(Proposal(60, 330, 30, 20), {180, 400}, s, kAnchorAtRest).position,
            Pos(InsertAfter::kTop, 15, 373, 30, 20));
}

TEST(GeneralButtonLayout, AnchorXOnlyGrowsAcrossALayout) {
  const BuddyListClient client{180, 400};
  const LayoutSettings s{true, true, true, true, false};
  QuickMenuAnchor anchor = kAnchorAtRest;
  const WindowPosProposal row[] = {Proposal(4, 330, 34, 32), Proposal(40, 330, 34, 32),
                                   Proposal(76, 330, 34, 32), Proposal(112, 330, 34, 32),
                                   Proposal(20, 330, 34, 32)};
  const int expectedX[] = {103, 103, 110, 146, 146};
  for (int i = 0; i < 5; ++i) {
    anchor = GeneralButtonLayout(row[i], client, s, anchor).anchor;
    EXPECT_EQ(anchor.x, expectedX[i]) << "after button " << i;
    EXPECT_EQ(anchor.y, 368);
  }
}

TEST(ChildLayout, TickerNeedsExactlySixteenHighAndNotAStatic) {
  const BuddyListClient client{180, 400};
  const LayoutSettings s{true, false, false, true, true};
  for (const char* cls : {"WndAte32Class", "Ate32Class", "_Oscar_Separator"}) {
    SCOPED_TRACE(cls);
    EXPECT_EQ(ChildLayout(Proposal(5, 60, 90, 15), client, s, cls).position,
              HiddenAs(InsertAfter::kBottom));
    EXPECT_EQ(ChildLayout(Proposal(5, 60, 90, 17), client, s, cls).position,
              HiddenAs(InsertAfter::kBottom));
    EXPECT_EQ(ChildLayout(Proposal(5, 60, 90, 16), client, s, cls).position,
              Pos(InsertAfter::kTop, 5, 382, 90, 16));
  }
  const LayoutAnswer staticAnswer =
      ChildLayout(Proposal(5, 60, 90, 16), client, s, "_Oscar_Static");
  EXPECT_TRUE(staticAnswer.answered);
  EXPECT_EQ(staticAnswer.position, HiddenAs(InsertAfter::kBottom));
}

TEST(TickerAllowance, EighteenWhenTheTickerIsKept) {
  EXPECT_EQ(TickerAllowance({true, true, true, true, true}), 18);
  EXPECT_EQ(TickerAllowance({true, true, true, true, false}), 0);
  EXPECT_EQ(TickerAllowance({false, false, false, false, true}), 18);
}

}  // namespace
}  // namespace corvane
