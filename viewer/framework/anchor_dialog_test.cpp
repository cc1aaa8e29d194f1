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
  SIZE after_shrink{};
  AnchorTestDialog dialog([&](HWND dlg) {
    const RECT window = WindowRect(dlg);
    opened = SIZE{window.right - window.left, window.bottom - window.top};
    SendMessageA(dlg, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    ResizeWindow(dlg, opened.cx - 60, opened.cy - 40);
    const RECT shrunk = WindowRect(dlg);
    after_shrink = SIZE{shrunk.right - shrunk.left, shrunk.bottom - shrunk.top};
    SendMessageA(dlg, WM_COMMAND, IDOK, 0);  // as the OK key would
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(limits.ptMinTrackSize.x, opened.cx);
  EXPECT_EQ(limits.ptMinTrackSize.y, opened.cy);
  EXPECT_EQ(after_shrink.cx, opened.cx);
  EXPECT_EQ(after_shrink.cy, opened.cy);
}

LRESULT HitTestAtClientPoint(HWND dlg, int x, int y) {
  POINT p{x, y};
  ClientToScreen(dlg, &p);
  return SendMessageA(dlg, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
}

TEST(AnchorDialog, TheSizeGripInTheLowerRightCornerDragsTheBottomRightCorner) {
  LRESULT in_grip = 0;
  LRESULT grip_corner = 0;
  LRESULT left_of_grip = 0;
  LRESULT above_grip = 0;
  AnchorTestDialog dialog([&](HWND dlg) {
    RECT client{};
    GetClientRect(dlg, &client);
    const int cx = GetSystemMetrics(SM_CXVSCROLL);
    const int cy = GetSystemMetrics(SM_CYHSCROLL);
    in_grip = HitTestAtClientPoint(dlg, client.right - 1, client.bottom - 1);
    grip_corner = HitTestAtClientPoint(dlg, client.right - cx, client.bottom - cy);
    left_of_grip = HitTestAtClientPoint(dlg, client.right - cx - 1, client.bottom - 1);
    above_grip = HitTestAtClientPoint(dlg, client.right - 1, client.bottom - cy - 1);
    SendMessageA(dlg, WM_COMMAND, IDOK, 0);  // as the OK key would
  });
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(in_grip, HTBOTTOMRIGHT);
  EXPECT_EQ(grip_corner, HTBOTTOMRIGHT);
  EXPECT_EQ(left_of_grip, HTCLIENT);
  EXPECT_EQ(above_grip, HTCLIENT);
}

}  // namespace
}  // namespace corvane
