"""The History Viewer shows today's day file while the conversation goes on:
the viewer reads the file at every change (under Wine an open handle keeps
a file from being replaced), and still every poll is written, without a
failure message."""

import glob
import os
import time
import unittest

import harness
import viewer_session as vs
from harness import Report

# Two windows whose buddy names find one folder: "Bo b"'s block comes after
# "bob"'s, so "bob"'s new messages are never a plain append.
OPENING = """signon alice
im bob
im "Bo b"
receive bob bob opening words from bob
receive "Bo b" "Bo b" opening words from Bo b
wait 4000
"""


class HistoryWhileViewedTest(vs.ViewerTest):
    def test_every_poll_is_written_while_the_viewer_shows_the_day(self):
        self.register_host()
        report = Report(os.path.join(self.tmp, "host.log"))
        messages = ["message %02d%s" % (n, " words" * (40 * n)) for n in range(12)]
        script = OPENING + "".join('receive "%s" "%s" %s\nwait 1100\n' % (w, w, m) for w, m in
                                   zip(["bob", "Bo b"] * 6, messages)) + "wait 60000\nquit\n"
        path = os.path.join(self.tmp, "script.txt")
        with open(path, "w") as f:
            f.write(script)
        self.start("Corvane.exe", env={"TESTHOST_REPORT": harness.win_path(report.path),
                                       "TESTHOST_SCRIPT": harness.win_path(path)})
        day_files = harness.wait_until(lambda: glob.glob(self.path("alice", "bob", "*.html")), timeout=60,
                                       what="the day file")
        self.assertEqual(len(day_files), 1, day_files)
        self.start_viewer("alice", "bob")
        self.wait_shown("opening words from Bo b", timeout=20)

        def written(message):
            with open(day_files[0], "rb") as f:
                return message.encode() in f.read()

        for message in messages:
            report.wait_for("run", timeout=30, command=[c for c in script.splitlines() if message in c][0])
            shown = time.time()
            # The next tick of the window's poll writes it.
            harness.wait_until(lambda: written(message), timeout=3, what="%r in the day file" % message[:10])
            print("%s written %.2f s after it was shown" % (message[:10], time.time() - shown))
            self.assertEqual(self.robot.dialogs("Corvane Error"), [])
        self.wait_shown(messages[-1][:10], timeout=20)
        self.assertEqual([os.path.basename(p) for p in os.listdir(self.path("alice", "bob"))],
                         [os.path.basename(day_files[0])])


if __name__ == "__main__":
    unittest.main()
