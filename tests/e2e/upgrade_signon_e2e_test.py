"""The automatic version check through the real launcher, the stand-in host
and the hook: the Buddy List's first position change starts it, its dialog
opens in the host's process, and a second Buddy List window on the same day
asks the server nothing."""

import datetime
import os
import unittest

import harness
from harness import Report, WineTest
from http_server import ReplyServer

CAPTION = "Corvane Upgrade Monitor"
REMINDER = 1019
SC_CLOSE = 61536
REPLY = (b"VERSIONINFO_v2\r\n2.3.0\r\nMay 1\r\n0\r\nBig release\r\n"
         b"http://127.0.0.1/get.exe\r\nline one")


class UpgradeAtSignOnTest(WineTest):
    registers_host = True

    def setUp(self):
        super().setUp()
        self.robot = self.house

    def test_first_buddy_list_checks_once_a_day(self):
        report = Report(os.path.join(self.tmp, "host.log"))
        script = os.path.join(self.tmp, "script.txt")
        # The second sign-on comes well after the first check has ended.
        with open(script, "w") as f:
            f.write("signon alice\nwait 8000\nsignoff\nsignon alice\nwait 1500\nquit\n")
        with ReplyServer(REPLY) as server:
            env = {"TESTHOST_REPORT": harness.win_path(report.path),
                   "TESTHOST_SCRIPT": harness.win_path(script),
                   "CORVANE_UPDATE_SERVER": server.base_url}
            launcher = self.start("Corvane.exe", env=env)
            host_pid = report.wait_for("ready", timeout=60)[0]["pid"]

            def dialog():
                controls = self.robot.controls(CAPTION)
                return any(c["id"] == str(REMINDER) for c in controls)
            harness.wait_until(dialog, timeout=30, what="the upgrade monitor dialog")
            window = self.robot.window(CAPTION)
            self.assertEqual(window["pid"], host_pid)  # shown by the hook inside the host
            self.assertEqual(self.robot.controls(CAPTION)[0]["text"], "Download Now!")
            self.robot("sys", CAPTION, SC_CLOSE)
            # The check records the day once its dialog is closed.
            harness.wait_until(lambda: "CheckVersionLastDay" in harness.reg_values(harness.SETTINGS_KEY),
                               timeout=20, what="the check to be saved")
            report.wait_for("done", timeout=60)
            self.assertEqual(launcher.wait(timeout=30), 0)
            requests = server.requests()
        self.assertEqual(report.events("error"), [])
        buddy_lists = [e for e in report.events("created") if e.get("class") == "_Oscar_BuddyListWin"]
        self.assertEqual(len(buddy_lists), 2)
        self.assertEqual(requests, [("/version3.php?product=corvane", "Microsoft Internet Explorer")])
        values = harness.reg_values(harness.SETTINGS_KEY)
        today = datetime.datetime.now(datetime.timezone.utc).day
        self.assertEqual(values["CheckVersionLastDay"], ("REG_DWORD", hex(today)))
        self.assertEqual(values["CheckVersionLast"], ("REG_SZ", "2.3.0"))
        self.assertEqual(values["CheckVersion"], ("REG_DWORD", "0x0"))  # the close box stores nothing


if __name__ == "__main__":
    unittest.main()
