#include "viewer/framework/anchor_dialog.h"

#include <gtest/gtest.h>

#include "viewer/framework/testing/test_dialog.h"

namespace corvane {
namespace {

using AnchorTestDialog = ScriptedDialog<CAnchorDialog>;

void ExpectRect(const RECT& actual, const RECT& expected, const char* what) {
  EXPECT_EQ(actual.left, expected.left) << what;
  EXPECT_EQ(actual.top, expected.top) << what;
  EXPECT_EQ(actual.right, expected.right) << what;
  EXPECT_EQ(actual.bottom, expected.bottom) << what;
}

RECT Shifted(RECT r, int dleft, int dtop, int dright, int dbottom) {
  return RECT{r.left + dleft, r.top + dtop, r.right + dright, r.bottom + dbottom};
}

TEST(AnchorDialog, WideningMovesAndGrowsOnlyTheControlsAnchoredToTheRight) {
  AnchorTestDialog dialog([](HWND dlg) {
    const RECT view = ControlRect(dlg, IDC_TEST_VIEW);
    const RECT list = ControlRect(dlg, IDC_TEST_LIST);
    const RECT text = ControlRect(dlg, IDC_TEST_RIGHT_TEXT);
    const RECT button = ControlRect(dlg, IDC_TEST_RIGHT_BUTTON);
    const RECT fixed = ControlRect(dlg, IDC_TEST_FIXED);
    const RECT window = WindowRect(dlg);

    ResizeWindow(dlg, window.right - window.left + 100, window.bottom - window.top);

    ExpectRect(ControlRect(dlg, IDC_TEST_VIEW), Shifted(view, 0, 0, 100, 0), "view");
    ExpectRect(ControlRect(dlg, IDC_TEST_LIST), list, "list");
    ExpectRect(ControlRect(dlg, IDC_TEST_RIGHT_TEXT), Shifted(text, 100, 0, 100, 0), "right text");
    ExpectRect(ControlRect(dlg, IDC_TEST_RIGHT_BUTTON), Shifted(button, 100, 0, 100, 0),
               "right button");
    ExpectRect(ControlRect(dlg, IDC_TEST_FIXED), fixed, "fixed button");
    SendMessageA(dlg, WM_COMMAND, IDOK, 0);  // as the OK key would
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(AnchorDialog, HeighteningGrowsTheControlsAnchoredToTheBottom) {
  AnchorTestDialog dialog([](HWND dlg) {
    const RECT view = ControlRect(dlg, IDC_TEST_VIEW);
    const RECT list = ControlRect(dlg, IDC_TEST_LIST);
    const RECT text = ControlRect(dlg, IDC_TEST_RIGHT_TEXT);
    const RECT combo = ControlRect(dlg, IDC_TEST_COMBO);
    const RECT window = WindowRect(dlg);

    ResizeWindow(dlg, window.right - window.left, window.bottom - window.top + 50);

    ExpectRect(ControlRect(dlg, IDC_TEST_VIEW), Shifted(view, 0, 0, 0, 50), "view");
    ExpectRect(ControlRect(dlg, IDC_TEST_LIST), Shifted(list, 0, 0, 0, 50), "list");
    ExpectRect(ControlRect(dlg, IDC_TEST_RIGHT_TEXT), text, "right text");
    ExpectRect(ControlRect(dlg, IDC_TEST_COMBO), combo, "unanchored combo box");
    SendMessageA(dlg, WM_COMMAND, IDOK, 0);  // as the OK key would
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(AnchorDialog, CannotBeMadeSmallerThanItOpened) {
  SIZE opened{};
  MINMAXINFO limits{};
  SIZE afterShrink{};
  AnchorTestDialog dialog([&](HWND dlg) {
    const RECT window = WindowRect(dlg);
    opened = SIZE{window.right - window.left, window.bottom - window.top};
    SendMessageA(dlg, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    ResizeWindow(dlg, opened.cx - 60, opened.cy - 40);
    const RECT shrunk = WindowRect(dlg);
    afterShrink = SIZE{shrunk.right - shrunk.left, shrunk.bottom - shrunk.top};
    SendMessageA(dlg, WM_COMMAND, IDOK, 0);  // as the OK key would
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(limits.ptMinTrackSize.x, opened.cx);
  EXPECT_EQ(limits.ptMinTrackSize.y, opened.cy);
  EXPECT_EQ(afterShrink.cx, opened.cx);
  EXPECT_EQ(afterShrink.cy, opened.cy);
}

LRESULT HitTestAtClientPoint(HWND dlg, int x, int y) {
  POINT p{x, y};
  ClientToScreen(dlg, &p);
  return SendMessageA(dlg, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
}

TEST(AnchorDialog, TheSizeGripInTheLowerRightCornerDragsTheBottomRightCorner) {
  LRESULT inGrip = 0;
  LRESULT gripCorner = 0;
  LRESULT leftOfGrip = 0;
  LRESULT aboveGrip = 0;
  AnchorTestDialog dialog([&](HWND dlg) {
    RECT client{};
    GetClientRect(dlg, &client);
    const int cx = GetSystemMetrics(SM_CXVSCROLL);
    const int cy = GetSystemMetrics(SM_CYHSCROLL);
    inGrip = HitTestAtClientPoint(dlg, client.right - 1, client.bottom - 1);
    gripCorner = HitTestAtClientPoint(dlg, client.right - cx, client.bottom - cy);
    leftOfGrip = HitTestAtClientPoint(dlg, client.right - cx - 1, client.bottom - 1);
    aboveGrip = HitTestAtClientPoint(dlg, client.right - 1, client.bottom - cy - 1);
    SendMessageA(dlg, WM_COMMAND, IDOK, 0);  // as the OK key would
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(inGrip, HTBOTTOMRIGHT);
  EXPECT_EQ(gripCorner, HTBOTTOMRIGHT);
  EXPECT_EQ(leftOfGrip, HTCLIENT);
  EXPECT_EQ(aboveGrip, HTCLIENT);
}

}  // namespace
}  // namespace corvane
