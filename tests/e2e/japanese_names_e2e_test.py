"""Names in a double-byte code page, through the real launcher, stand-in
host, hook and History Viewer, with Wine's locale Japanese (ANSI code page
932, Shift-JIS): a screen name and a buddy name whose characters have trail
bytes of the values of '\\' and '|' are logged into folders of their own
names, listed and preselected by the viewer, and found by its search."""

import glob
import os
import re
import unittest

import harness
import viewer_session as vs
from harness import Report

# Wine takes each program's ANSI code page from its locale (the locale
# must exist: tools/setup generates it).
JAPANESE = {"LANG": "ja_JP.UTF-8", "LC_ALL": "ja_JP.UTF-8"}
CODE_PAGE = "cp932"
CMD_HISTORY_VIEWER = "57005"
CMD_HOST_EXIT = "30002"
FINISHED = re.compile(r"^(.*) \(\d+\.\d\d s\)$")

# "ソ" is 0x83 0x5C and "ポ" 0x83 0x7C; "表" is 0x95 0x5C.
USER = "ソフトポ"
BUDDY = "表示"
MESSAGE = "こんにちは、表示です"


def ansi(text):
    """Text as the robot reads and writes it: the code page's bytes."""
    return text.encode(CODE_PAGE).decode("latin-1")


def unansi(text):
    return text.encode("latin-1").decode(CODE_PAGE)


class JapaneseNamesTest(vs.ViewerTest):
    registers_host = True

    def robot_env(self):
        return JAPANESE

    def setUp(self):
        super().setUp()
        self.report = Report(os.path.join(self.tmp, "host.log"))

    def start_session(self, script):
        path = os.path.join(self.tmp, "script.txt")
        with open(path, "wb") as f:
            f.write((script + "wait 600000\nquit\n").encode(CODE_PAGE))
        self.launcher = self.start("Corvane.exe", env=dict(JAPANESE, **{
            "TESTHOST_REPORT": harness.win_path(self.report.path),
            "TESTHOST_SCRIPT": harness.win_path(path)}))
        self.report.wait_for("ready", timeout=60)

    def test_wine_runs_the_programs_in_the_japanese_code_page(self):
        probe = self.start("code_page_probe.exe", env=JAPANESE)
        out = probe.stdout.read()
        self.assertEqual(probe.wait(timeout=30), 0)
        self.assertEqual(out.strip(), "acp=932",
                         "is the ja_JP.UTF-8 locale there (tools/setup generates it)?")

    def test_names_are_logged_listed_and_found(self):
        self.start_session("signon %s\nim %s\nreceive %s %s %s\n" % (USER, BUDDY, BUDDY, BUDDY,
                                                                     MESSAGE))
        # Wine names the folders on disk in UTF-8.
        pattern = os.path.join(self.history, USER, BUDDY, "*.html")
        days = harness.wait_until(lambda: glob.glob(pattern), timeout=30, what=pattern)

        def logged():
            with open(days[0], "rb") as f:
                return MESSAGE.encode(CODE_PAGE) in f.read()
        harness.wait_until(logged, timeout=10, what="the message in the day file")
        self.assertEqual(os.listdir(self.history), [USER])
        self.assertEqual(os.listdir(os.path.join(self.history, USER)), [BUDDY])
        self.assertEqual(self.robot.dialogs("Corvane Error"), [])

        # History on the IM window opens the viewer on both names.
        self.assertEqual(self.robot("command", "AIM_IMessage", CMD_HISTORY_VIEWER), ["posted"])
        harness.wait_until(self.viewer_window, timeout=30, what="the History Viewer")
        self.viewers.append(int(self.viewer_window()["pid"]))

        def shown():
            users, buddies = self.robot.items(vs.CAPTION, vs.USERS), self.robot.items(
                vs.CAPTION, vs.BUDDIES)
            if not users or not buddies or users[1] < 0 or buddies[1] < 0:
                return None
            return ([unansi(u) for u in users[0]], unansi(users[0][users[1]]),
                    [unansi(b) for b in buddies[0]], unansi(buddies[0][buddies[1]]))
        self.assertEqual(harness.wait_until(shown, timeout=20, what="the names selected"),
                         ([USER], USER, [BUDDY], BUDDY))

        # The search finds the message under both names.
        self.assertEqual(self.robot("keys", vs.CAPTION, "ctrl+f"), ["pressed"])
        harness.wait_until(lambda: self.robot.shown(vs.SEARCH),
                           timeout=10, what="the search window")
        self.robot("settext", vs.SEARCH, vs.QUERY, ansi("表示で"))
        self.robot("settext", vs.SEARCH, vs.STATUS, "")
        self.assertEqual(self.robot("keys", vs.SEARCH, "alt+f"), ["pressed"])
        self.assertEqual(self.robot("keys", vs.SEARCH, "enter"), ["pressed"])
        status = harness.wait_until(
            lambda: FINISHED.match(self.robot.control(vs.SEARCH, vs.STATUS)["text"]),
            timeout=30, what="the search to end")
        self.assertEqual(status.group(1), "1 match in 1 day")
        lines = self.robot("rows", vs.SEARCH, vs.RESULTS, 0)
        rows = [tuple(unansi(harness.parse_robot_line(l, "text")["text"]).split("\t"))
                for l in lines[1:]]
        self.assertEqual(len(rows), 1, rows)
        self.assertEqual(rows[0][:2], (USER, BUDDY))
        self.assertEqual(rows[0][3], "%s: %s" % (BUDDY, MESSAGE))

        self.robot("sys", vs.CAPTION, vs.SC_CLOSE)
        self.assertEqual(self.robot("command", "_Oscar_BuddyListWin", CMD_HOST_EXIT), ["posted"])
        self.report.wait_for("done", timeout=60)
        self.assertEqual(self.launcher.wait(timeout=30), 0)


if __name__ == "__main__":
    unittest.main()
