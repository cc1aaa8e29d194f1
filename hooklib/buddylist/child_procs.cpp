#include "hooklib/buddylist/buddy_list_proc.h"

#include "common/exception_boundary.h"
#include "hooklib/buddylist/ad_pane.h"
#include "hooklib/buddylist/buddy_list_window_state.h"
#include "hooklib/buddylist/child_layout.h"
#include "hooklib/core/shared_settings.h"
#include "hooklib/core/window_subclass.h"

namespace corvane {
namespace {

using LayoutRule = LayoutAnswer (*)(const WindowPosProposal&, const BuddyListClient&,
                                    const LayoutSettings&);

LayoutSettings CurrentLayoutSettings() {
  return {Shared().RemoveAds != 0, Shared().GenButtons != 0, Shared().ListButtons != 0,
          Shared().Tabs != 0, Shared().AllowStockTicker != 0};
}

BuddyListClient ClientOf(HWND buddyList) {
  RECT client = {};
  GetClientRect(buddyList, &client);
  return {client.right, client.bottom};
}

// Direct children of the Buddy List.
BuddyListClient ClientOfParent(HWND window) { return ClientOf(GetParent(window)); }

// Children of the tab group, which sits in the Buddy List.
BuddyListClient ClientOfGrandparent(HWND window) { return ClientOf(GetParent(GetParent(window))); }

WindowPosProposal ProposalOf(const WINDOWPOS& pos) {
  return {InsertAfter::kAsProposed, pos.x, pos.y, pos.cx, pos.cy, pos.flags};
}

// Flags stay as the host set them.
void WriteBack(const WindowPosProposal& answer, WINDOWPOS* pos) {
  switch (answer.insertAfter) {
    case InsertAfter::kAsProposed:
      break;
    case InsertAfter::kTop:
      pos->hwndInsertAfter = HWND_TOP;
      break;
    case InsertAfter::kBottom:
      pos->hwndInsertAfter = HWND_BOTTOM;
      break;
    case InsertAfter::kTopmost:
      pos->hwndInsertAfter = HWND_TOPMOST;
      break;
  }
  pos->x = answer.x;
  pos->y = answer.y;
  pos->cx = answer.cx;
  pos->cy = answer.cy;
}

// A layout rule bound to the window it places.
using WindowRule = LayoutAnswer (*)(HWND window, const WindowPosProposal& proposed);

template <LayoutRule kRule, BuddyListClient (*kClientOf)(HWND)>
LayoutAnswer ForWindow(HWND window, const WindowPosProposal& proposed) {
  return kRule(proposed, kClientOf(window), CurrentLayoutSettings());
}

// The class name decides whether a 16-pixel child may stay as the ticker.
LayoutAnswer ChildLayoutForWindow(HWND window, const WindowPosProposal& proposed) {
  char className[64] = "";
  GetClassNameA(window, className, sizeof className);
  return ChildLayout(proposed, ClientOfParent(window), CurrentLayoutSettings(), className);
}

// Rewrites the proposed position with `rule`; what the rule leaves to the
// host (also when it failed), and every other message, goes on to the row's
// saved procedure.
LRESULT Relayout(SubclassRow row, WindowRule rule, HWND window, UINT message, WPARAM wParam,
                 LPARAM lParam) {
  if (message == WM_WINDOWPOSCHANGING && lParam != 0) {
    auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
    bool answered = false;
    RunContained([&] {
      const LayoutAnswer answer = rule(window, ProposalOf(*pos));
      if (answer.answered) WriteBack(answer.position, pos);
      answered = answer.answered;
    });
    if (answered) return 0;
  }
  return CallSavedProc(row, window, message, wParam, lParam);
}

LRESULT ChildLayoutProc(SubclassRow row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Relayout(row, ChildLayoutForWindow, window, message, wParam, lParam);
}

// Before the pane paints: the ticker moves to the bottom row, any other pane
// hides.  Both moves come back through WM_WINDOWPOSCHANGING.
void PlaceAdPane(HWND window) {
  HWND buddyList = GetParent(window);
  RECT client = {};
  GetClientRect(window, &client);
  RECT frame = {};
  GetWindowRect(window, &frame);
  MapWindowPoints(nullptr, buddyList, reinterpret_cast<POINT*>(&frame), 2);
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);

  const AdPaneFacts pane = {client.right, client.bottom, frame.left, text};
  const AdPaneDecision decision = DecideAdPane(pane, ClientOf(buddyList), CurrentLayoutSettings());
  switch (decision.move) {
    case AdPaneMove::kNone:
      break;
    case AdPaneMove::kPlaceAsTicker:
      MoveWindow(window, decision.x, decision.y, decision.width, decision.height, FALSE);
      break;
    case AdPaneMove::kHide:
      SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, 0);
      break;
  }
}

// The host paints the button over the Buddy List's background, which must be
// fresh underneath it.
void EraseUnderButton(HWND button) {
  RECT client = {};
  GetClientRect(button, &client);
  const RECT area = {0, 0, client.right, client.bottom};
  RedrawWindow(GetParent(button), &area, nullptr, RDW_ERASENOW);
}

}  // namespace

LRESULT CALLBACK ButtonRowEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Relayout(kRowButtonRowEdit, ForWindow<ButtonRowEditLayout, ClientOfParent>, window,
                  message, wParam, lParam);
}

LRESULT CALLBACK BuddyListAteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ChildLayoutProc(kRowBuddyListAte, window, message, wParam, lParam);
}

LRESULT CALLBACK AdPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_PAINT || message == WM_NCPAINT) && Shared().RemoveAds != 0) {
    RunContained([window] { PlaceAdPane(window); });  // failed: the pane stays where it is
  }
  return ChildLayoutProc(kRowAdPane, window, message, wParam, lParam);
}

LRESULT CALLBACK TabGroupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Relayout(kRowTabGroup, ForWindow<TabGroupLayout, ClientOfParent>, window, message, wParam,
                  lParam);
}

// Answers every proposed change itself: the QuickMenuButton's anchor is taken
// from the wide buttons whatever RemoveAds says.  A failed rule leaves the
// proposal and the anchor as they were.
LRESULT CALLBACK GeneralButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_WINDOWPOSCHANGING && lParam != 0) {
    auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
    RunContained([&] {
      BuddyListWindowState& state = BuddyListWindow();
      const GeneralButtonAnswer answer =
          GeneralButtonLayout(ProposalOf(*pos), ClientOfParent(window), CurrentLayoutSettings(),
                              {state.anchorX, state.anchorY});
      WriteBack(answer.position, pos);
      state.anchorX = answer.anchor.x;
      state.anchorY = answer.anchor.y;
    });
    return 0;
  }
  if (message == WM_PAINT) EraseUnderButton(window);
  return CallSavedProc(kRowGeneralButton, window, message, wParam, lParam);
}

LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ChildLayoutProc(kRowStatic, window, message, wParam, lParam);
}

LRESULT CALLBACK SeparatorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ChildLayoutProc(kRowSeparator, window, message, wParam, lParam);
}

LRESULT CALLBACK BuddyTreeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Relayout(kRowBuddyTree, ForWindow<BuddyTreeLayout, ClientOfGrandparent>, window, message,
                  wParam, lParam);
}

LRESULT CALLBACK ListButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Relayout(kRowListButton, ForWindow<ListButtonLayout, ClientOfGrandparent>, window, message,
                  wParam, lParam);
}

}  // namespace corvane
