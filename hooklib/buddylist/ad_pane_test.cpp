#include "hooklib/buddylist/ad_pane.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

constexpr char kBlankPane[] =
    "<HTML><BODY BGCOLOR=\"#e0dfe3\"><FONT FACE=\"\" SIZE=1><A "
    "HREF=\"http://www.hostmessenger.example/\">A</FONT></BODY></HTML>";
constexpr char kTickerText[] =
    "<HTML><BODY BGCOLOR=\"#e0dfe3\"><FONT SIZE=1>DJIA 10,452.74 +32.10</FONT></BODY></HTML>";

const BuddyListClient kClient{180, 400};
const LayoutSettings kTickerKept{true, true, true, true, true};

AdPaneFacts Pane(int height, std::string_view text) { return {120, height, 30, text}; }

TEST(HostBlankPaneText, IsTheHostsEmptyPaneHtml) {
  EXPECT_EQ(HostBlankPaneText(), kBlankPane);
  EXPECT_TRUE(IsHostBlankPaneText(kBlankPane));
}

TEST(HostBlankPaneText, ComparisonIsExactAndCaseSensitive) {
  const std::string blank = kBlankPane;
  EXPECT_FALSE(IsHostBlankPaneText(""));
  EXPECT_FALSE(IsHostBlankPaneText(kTickerText));
  EXPECT_FALSE(IsHostBlankPaneText(blank + " "));
  EXPECT_FALSE(IsHostBlankPaneText(" " + blank));
  EXPECT_FALSE(IsHostBlankPaneText(blank.substr(0, blank.size() - 1)));
  std::string lower = blank;
  lower.replace(lower.find("HTML"), 4, "html");
  EXPECT_FALSE(IsHostBlankPaneText(lower));
  std::string otherSite = blank;
  otherSite.replace(otherSite.find("hostmessenger"), 13, "hostmessengex");
  EXPECT_FALSE(IsHostBlankPaneText(otherSite));
  // Same length, the address moved by one character.
  std::string shifted = blank;
  shifted.replace(shifted.find("HREF=\"") + 6, 1, "H");
  EXPECT_FALSE(IsHostBlankPaneText(shifted));
  std::string otherLink = blank;
  otherLink.replace(otherLink.find("\">A<") + 2, 1, "B");
  EXPECT_FALSE(IsHostBlankPaneText(otherLink));
}

TEST(DecideAdPane, NothingWhileAdvertisingIsShown) {
  for (bool ticker : {false, true}) {
    const LayoutSettings s{false, true, true, true, ticker};
    EXPECT_EQ(DecideAdPane(Pane(16, kTickerText), kClient, s).move, AdPaneMove::kNone);
    EXPECT_EQ(DecideAdPane(Pane(60, "ad"), kClient, s).move, AdPaneMove::kNone);
  }
}

TEST(DecideAdPane, TickerWithTextMovesToTheBottomRowAtItsOwnSize) {
  const AdPaneDecision d = DecideAdPane(Pane(16, kTickerText), kClient, kTickerKept);
  EXPECT_EQ(d.move, AdPaneMove::kPlaceAsTicker);
  EXPECT_EQ(d.x, 30);
  EXPECT_EQ(d.y, 400 - 16);
  EXPECT_EQ(d.width, 120);
  EXPECT_EQ(d.height, 16);
  EXPECT_EQ(DecideAdPane(Pane(16, ""), kClient, kTickerKept).move, AdPaneMove::kPlaceAsTicker);
}

TEST(DecideAdPane, EverythingElseHides) {
  EXPECT_EQ(DecideAdPane(Pane(16, kBlankPane), kClient, kTickerKept).move, AdPaneMove::kHide);
  EXPECT_EQ(DecideAdPane(Pane(15, kTickerText), kClient, kTickerKept).move, AdPaneMove::kHide);
  EXPECT_EQ(DecideAdPane(Pane(17, kTickerText), kClient, kTickerKept).move, AdPaneMove::kHide);
  const LayoutSettings noTicker{true, true, true, true, false};
  EXPECT_EQ(DecideAdPane(Pane(16, kTickerText), kClient, noTicker).move, AdPaneMove::kHide);
  const AdPaneDecision d = DecideAdPane(Pane(60, "ad"), kClient, kTickerKept);
  EXPECT_EQ(d.move, AdPaneMove::kHide);
  EXPECT_EQ(d.x, 0);
  EXPECT_EQ(d.y, 0);
  EXPECT_EQ(d.width, 0);
  EXPECT_EQ(d.height, 0);
}

// The pane's own move passes through the child layout again, which puts the
// ticker two pixels higher, on the bottom row.
TEST(DecideAdPane, TickerEndsAtBMinus18AfterTheChildLayout) {
  const AdPaneDecision d = DecideAdPane(Pane(16, kTickerText), kClient, kTickerKept);
  const unsigned moveWindowFlags = 0x0014 | 0x0008;  // SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW
  const LayoutAnswer placed =
      ChildLayout({InsertAfter::kAsProposed, d.x, d.y, d.width, d.height, moveWindowFlags}, kClient,
                  kTickerKept, "WndAte32Class");
  EXPECT_TRUE(placed.answered);
  EXPECT_EQ(placed.position.insertAfter, InsertAfter::kTop);
  EXPECT_EQ(placed.position.x, 30);
  EXPECT_EQ(placed.position.y, 400 - 18);
  EXPECT_EQ(placed.position.cx, 120);
  EXPECT_EQ(placed.position.cy, 16);
  EXPECT_EQ(placed.position.flags, moveWindowFlags);
}

TEST(DecideAdPane, BlankPaneStaysHiddenAfterTheChildLayout) {
  const AdPaneDecision d = DecideAdPane(Pane(16, kBlankPane), kClient, kTickerKept);
  ASSERT_EQ(d.move, AdPaneMove::kHide);
  const LayoutAnswer hidden = ChildLayout({InsertAfter::kBottom, d.x, d.y, d.width, d.height, 0},
                                          kClient, kTickerKept, "WndAte32Class");
  EXPECT_EQ(hidden.position.insertAfter, InsertAfter::kBottom);
  EXPECT_EQ(hidden.position.cx, 0);
  EXPECT_EQ(hidden.position.cy, 0);
}

}  // namespace
}  // namespace corvane
