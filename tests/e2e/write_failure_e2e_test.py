"""The write-failure box of the history poll, through the real launcher,
stand-in host and hook, while the history folder comes and goes: messages
keep arriving while a box is open, yet each conversation window has at most
one box at a time; the poll goes on writing meanwhile, and a write that
fails after the box was closed shows it again."""

import glob
import os
import time
import unittest

import harness
from harness import Report

CAPTION = "Corvane Error"
CMD_HOST_EXIT = "30002"
WINDOWS = ("bob", "carol")


class WriteFailureBoxTest(harness.WineTest):
    registers_host = True

    def setUp(self):
        super().setUp()
        # A history folder whose parent is missing cannot be made.
        self.parent = os.path.join(self.tmp, "removable drive")
        self.history = os.path.join(self.parent, "History")
        harness.reg_add(harness.SETTINGS_KEY, "LogDir", harness.win_path(self.history))
        self.report = Report(os.path.join(self.tmp, "host.log"))
        self.robot = self.house

    def tearDown(self):
        self.press_every_box()
        super().tearDown()

    def start_session(self, messages):
        """Both windows receive a message every half second, for as long as
        the test runs."""
        lines = ["signon alice"] + ["im %s" % w for w in WINDOWS]
        for n in range(messages):
            lines += ["receive %s %s message %03d" % (w, w, n) for w in WINDOWS] + ["wait 500"]
        path = os.path.join(self.tmp, "script.txt")
        with open(path, "w") as f:
            f.write("\n".join(lines) + "\nwait 600000\nquit\n")
        self.launcher = self.start("Corvane.exe", env={
            "TESTHOST_REPORT": harness.win_path(self.report.path),
            "TESTHOST_SCRIPT": harness.win_path(path)})
        self.report.wait_for("ready", timeout=60)

    def unplug(self):
        """The drive goes at once, as a drive does: a removal file by file
        could meet a write making a file in a folder it had emptied."""
        os.rename(self.parent, os.path.join(self.tmp, "unplugged"))

    def boxes(self):
        return len(self.robot.dialogs(CAPTION))

    def press_every_box(self):
        while self.robot.dialogs(CAPTION):
            self.robot("press", CAPTION, "OK")
            time.sleep(0.3)

    def most_boxes_during(self, seconds):
        return harness.most_dialogs_during(self.robot, CAPTION, seconds)

    def last_message_written(self, buddy):
        files = glob.glob(os.path.join(self.history, "alice", buddy, "*.html"))
        if not files:
            return None
        with open(files[0], "rb") as f:
            data = f.read()
        at = data.rfind(b"message ")
        return int(data[at + 8:at + 11]) if at >= 0 else None

    def last_message_received(self):
        runs = [e for e in self.report.events("run") if "receive" in str(e.get("command", ""))]
        return int(str(runs[-1]["command"]).rsplit(" ", 1)[-1]) if runs else -1

    def test_one_box_per_window_while_messages_arrive_and_the_poll_goes_on(self):
        self.start_session(messages=120)
        harness.wait_until(lambda: self.boxes() == len(WINDOWS), timeout=30,
                           what="a failure box for each window")
        # Left open for five seconds while messages arrive in both windows.
        most = self.most_boxes_during(5)
        print("most failure boxes open at once: %d" % most)
        self.assertEqual(most, len(WINDOWS))

        # The folder is back while the boxes are still open: the poll writes.
        os.makedirs(self.parent)
        received = self.last_message_received()
        for buddy in WINDOWS:
            harness.wait_until(lambda: (self.last_message_written(buddy) or -1) > received,
                               timeout=10, what="%s's new messages written" % buddy)
        self.assertEqual(self.boxes(), len(WINDOWS))

        # Closed, the boxes stay closed while the writes succeed ...
        self.press_every_box()
        self.assertEqual(self.most_boxes_during(2), 0)
        # ... and come back, once each, when the folder goes again.
        self.unplug()
        harness.wait_until(lambda: self.boxes() == len(WINDOWS), timeout=30,
                           what="the failure boxes again")
        self.assertEqual(self.most_boxes_during(3), len(WINDOWS))
        self.press_every_box()

        # With the folder back, the windows' last writes as they close go through.
        os.makedirs(self.parent)
        self.assertEqual(self.robot("command", "_Oscar_BuddyListWin", CMD_HOST_EXIT), ["posted"])
        self.report.wait_for("done", timeout=60)
        self.assertEqual(self.launcher.wait(timeout=30), 0)
        self.assertEqual(self.boxes(), 0)


if __name__ == "__main__":
    unittest.main()
