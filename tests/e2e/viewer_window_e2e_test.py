"""The History Viewer's window: it comes back where and as the user left
it, its controls follow the window's edges, it cannot be made smaller than
it opened; the About box and its web links; no history folder at all."""

import datetime
import os
import time
import unittest

import harness
import http_server
import viewer_session as vs
from viewer_session import CAPTION, ABOUT, rect_of, shifted


# Controls that follow the right edge, and those that stay where they are.
RIGHT_EDGE = (vs.ABOUT_BUTTON, vs.SIZE_LABEL, vs.SIZE, vs.SIZE_UNIT)
FIXED = (vs.USERS, vs.BUDDIES, vs.DELETE_USER, vs.DELETE_BUDDY, vs.DELETE_DATE, vs.CLEAR_ALL)


def open_about_box(test):
    """Clicks About and returns the box's controls once it shows: it is
    made visible only after its texts are set."""
    test.robot("click", CAPTION, vs.ABOUT_BUTTON)
    harness.wait_until(lambda: test.robot.shown(ABOUT),
                       timeout=10, what="the About box")
    return test.robot.controls(ABOUT)


class ViewerWindowTest(vs.ViewerTest):
    def setUp(self):
        super().setUp()
        vs.write_day(self.path("alice", "bob"), datetime.date(2002, 6, 14),
                     vs.conversation(["friday with bob"]))

    def robot_env(self):
        # The maker's site, for the About box's links.
        self.server = http_server.ReplyServer(b"<html>page</html>")
        self.server.__enter__()
        self.addCleanup(self.server.__exit__, None, None, None)
        return {"CORVANE_WEB_SITE": self.server.base_url}

    def test_placement_is_restored_normal_maximized_and_minimized(self):
        pid = self.start_settled()
        first = rect_of(self.robot.window(CAPTION))
        normal = (150, 130, 150 + (first[2] - first[0]) + 60, 130 + (first[3] - first[1]) + 40)
        self.move(normal)
        self.close_viewer(pid)
        saved = self.placement()
        self.assertEqual((saved["Left"], saved["Top"], saved["Right"], saved["Bottom"]), normal)
        self.assertEqual((saved["IsZoomed"], saved["IsIconic"]), (0, 0))

        pid = self.start_settled()
        self.assert_rect_soon(normal, "the window where it was left")
        self.robot("sys", CAPTION, vs.SC_MAXIMIZE)
        self.wait_window("the maximized window", zoomed="1")
        self.close_viewer(pid)
        saved = self.placement()
        self.assertEqual((saved["IsZoomed"], saved["IsIconic"]), (1, 0))
        self.assertEqual((saved["Left"], saved["Top"], saved["Right"], saved["Bottom"]), normal)

        pid = self.start_settled()
        self.wait_window("the window maximized again", zoomed="1")
        self.robot("sys", CAPTION, vs.SC_RESTORE)
        self.wait_window("the restored window", zoomed="0")
        self.assert_rect_soon(normal, "the restored window where it was left")
        self.robot("sys", CAPTION, vs.SC_MINIMIZE)
        self.wait_window("the minimized window", iconic="1")
        self.close_viewer(pid)
        saved = self.placement()
        self.assertEqual((saved["IsZoomed"], saved["IsIconic"]), (0, 1))
        self.assertEqual((saved["Left"], saved["Top"], saved["Right"], saved["Bottom"]), normal)

        pid = self.start_settled()
        self.wait_window("the window minimized again", iconic="1")
        self.robot("sys", CAPTION, vs.SC_RESTORE)
        self.wait_window("the restored window", iconic="0")
        self.assert_rect_soon(normal, "the restored window where it was left")
        self.close_viewer(pid)

    def test_controls_follow_the_edges_and_the_size_has_a_minimum(self):
        self.start_viewer()
        start = rect_of(self.robot.window(CAPTION))
        before = self.rects()

        self.move(shifted(start, right=100))
        after = self.rects()
        self.assertEqual(after[vs.VIEW], shifted(before[vs.VIEW], right=100))
        for control in RIGHT_EDGE:
            self.assertEqual(after[control], shifted(before[control], left=100, right=100), control)
        for control in FIXED + (vs.DATES,):
            self.assertEqual(after[control], before[control], control)

        self.move(shifted(start, right=100, bottom=50))
        taller = self.rects()
        self.assertEqual(taller[vs.VIEW], shifted(before[vs.VIEW], right=100, bottom=50))
        self.assertEqual(taller[vs.DATES], shifted(before[vs.DATES], bottom=50))
        for control in RIGHT_EDGE:
            self.assertEqual(taller[control], after[control], control)
        for control in FIXED:
            self.assertEqual(taller[control], before[control], control)

        # Smaller than it opened is not possible.
        self.robot("move", CAPTION, start[0], start[1], 200, 100)
        harness.wait_until(lambda: rect_of(self.robot.window(CAPTION)) != shifted(
            start, right=100, bottom=50), timeout=10, what="the window to change")
        self.assertEqual(rect_of(self.robot.window(CAPTION)), start)
        self.assertEqual(self.rects(), before)

    def test_about_box_shows_the_version_and_opens_the_pages(self):
        harness.use_browser(self, os.path.join(harness.SOURCE, "tests", "e2e", "fetching_browser.py"))
        self.start_viewer()
        about = open_about_box(self)
        texts = [(int(c["id"]), c["text"]) for c in about]
        self.assertIn((vs.VERSION_TEXT, "version 2.2.1 (build 65)"), texts)
        self.assertIn((vs.RELEASE_TEXT, "released [ 06.10.2002 ]"), texts)
        self.assertIn("Corvane (History Viewer)", [text for _, text in texts])
        self.assertIn("Halvard Software", [text for _, text in texts])

        for button in (vs.WEB_BUTTON, vs.WEB_BUTTON, vs.HELP_BUTTON, vs.HELP_BUTTON):
            self.robot("click", ABOUT, button)
        want = [("/", 2), ("/help.php?product=corvane", 2)]
        harness.wait_until(lambda: sorted((p, [r[0] for r in self.server.requests()].count(p))
                                          for p in ("/", "/help.php?product=corvane")) == want,
                           timeout=30, what="each page opened twice: %r" % self.server.requests())
        self.assertEqual(self.robot.window(ABOUT)["visible"], "1")

        self.robot("click", ABOUT, 1)
        harness.wait_until(lambda: self.robot.window(ABOUT) is None, timeout=10,
                           what="the About box to close")
        self.assertIsNotNone(self.viewer_window())

    def test_no_history_folder_and_browser_cancelled_exits_with_1(self):
        harness.reg_add(harness.SETTINGS_KEY, "LogDir", "")
        pid = self.robot.spawn(self.command_line("alice"))
        self.viewers.append(pid)
        browser = harness.wait_until(lambda: self.robot.dialogs("Browse for Folder"), timeout=20,
                                     what="the folder browser")
        self.assertIn("Corvane History Folder", [c["text"] for c in browser[0]["controls"]])
        self.robot("press", "Browse for Folder", "Cancel")
        self.assertEqual(self.robot.exit_code(pid, 10000), 1)
        self.assertIsNone(self.robot.window(CAPTION))
        self.assertEqual(self.robot.dialogs("Browse for Folder"), [])


class AboutBoxOtherSiteTest(vs.ViewerTest):
    """A maker's site configured with another scheme than http or https."""

    def robot_env(self):
        self.site = "ftp://127.0.0.1:%d" % http_server.unused_port()
        return {"CORVANE_WEB_SITE": self.site}

    def test_web_and_help_open_nothing(self):
        # Wine's shell hands ftp addresses to the browser as well.
        opened = harness.use_recording_browser(self, self.tmp)
        self.start_viewer()
        open_about_box(self)
        for button in (vs.WEB_BUTTON, vs.HELP_BUTTON):
            self.assertEqual(self.robot("click", ABOUT, button), ["clicked"])
        time.sleep(3)  # the shell starts the browser well within this
        self.assertFalse(os.path.exists(opened), "the browser was asked to open the site")
        self.assertEqual(self.robot.window(ABOUT)["visible"], "1")
        self.robot("click", ABOUT, 1)


if __name__ == "__main__":
    unittest.main()
