"""Nothing the messenger showed is lost, through the real launcher, stand-in
host and hook: a day file that another program holds with no sharing (a
backup program, a virus scanner) is written once it is let go, whether the
window is still open or was closed meanwhile, with one failure box for the
whole failure; the clearing notice and the user's Clear clear nothing that
is not written, however long the conversation grew."""

import glob
import os
import subprocess
import time
import unittest

import harness
from harness import Report

ERROR_CAPTION = "Corvane Error"
NOTICE_CAPTION = "Corvane Notification"


class HeldFile:
    """Another program holding a file open with no sharing at all, until
    released."""

    def __init__(self, test, path):
        self.process = test.start("robot.exe", "holdfile", harness.win_path(path), "none",
                                  stdin=subprocess.PIPE)
        test.assertEqual(self.process.stdout.readline().strip(), "holding")

    def release(self):
        self.process.stdin.close()
        self.process.wait(timeout=30)


class OwedHistoryTest(harness.WineTest):
    registers_host = True

    def setUp(self):
        super().setUp()
        self.report = Report(os.path.join(self.tmp, "host.log"))
        self.robot = self.house

    def tearDown(self):
        for caption in (ERROR_CAPTION, NOTICE_CAPTION):
            while self.robot.dialogs(caption):
                self.robot("press", caption, "OK")
                time.sleep(0.3)
        super().tearDown()

    def signal(self, name):
        """The script's `await` of this name goes on."""
        open(os.path.join(self.tmp, name), "w").close()

    def await_line(self, name):
        return 'await "%s"' % harness.win_path(os.path.join(self.tmp, name))

    def start_session(self, lines):
        path = os.path.join(self.tmp, "script.txt")
        with open(path, "w") as f:
            f.write("\n".join(["signon alice"] + lines + [self.await_line("end"), "quit"]) + "\n")
        self.launcher = self.start("Corvane.exe", env={
            "TESTHOST_REPORT": harness.win_path(self.report.path),
            "TESTHOST_SCRIPT": harness.win_path(path)})
        self.report.wait_for("ready", timeout=60)

    def end_session(self):
        self.signal("end")
        self.report.wait_for("done", timeout=60)
        self.assertEqual(self.launcher.wait(timeout=30), 0)

    def day_file(self, buddy):
        files = glob.glob(os.path.join(self.history, "alice", buddy, "*.html"))
        return files[0] if files else None

    def written(self, buddy):
        path = self.day_file(buddy)
        if path is None:
            return b""
        with open(path, "rb") as f:
            return f.read()

    def wait_written(self, buddy, text, timeout=10):
        harness.wait_until(lambda: text.encode() in self.written(buddy), timeout=timeout,
                           what="%r in %s's day file" % (text, buddy))

    def ran(self, command):
        return any(e.get("command") == command for e in self.report.events("run"))

    def boxes(self, caption=ERROR_CAPTION):
        return len(self.robot.dialogs(caption))

    def most_boxes_during(self, seconds):
        return harness.most_dialogs_during(self.robot, ERROR_CAPTION, seconds)

    def press(self, caption):
        harness.wait_until(lambda: self.boxes(caption) == 1, timeout=30,
                           what="the %r box" % caption)
        self.robot("press", caption, "OK")
        harness.wait_until(lambda: self.boxes(caption) == 0, timeout=10,
                           what="the %r box gone" % caption)

    def test_a_held_day_file_is_written_once_let_go_with_one_box_for_the_failure(self):
        self.start_session([
            "im bob", "receive bob bob first line", self.await_line("held"),
            "receive bob bob second line", self.await_line("pressed"),
            "receive bob bob third line", self.await_line("bob written"), "close bob",
            "im carol", "receive carol carol carol opens", self.await_line("carol held"),
            "receive carol carol carol goes on", "wait 1500", "close carol",
        ])
        self.wait_written("bob", "first line")
        held = HeldFile(self, self.day_file("bob"))
        self.signal("held")
        harness.wait_until(lambda: self.boxes() == 1, timeout=20, what="the failure box")
        self.press(ERROR_CAPTION)
        # Still held, a new message arrives and every tick fails: no new box.
        self.signal("pressed")
        harness.wait_until(lambda: self.ran("receive bob bob third line"), timeout=10,
                           what="the third line")
        self.assertEqual(self.most_boxes_during(3), 0)
        self.assertNotIn(b"second line", self.written("bob"))
        held.release()
        self.wait_written("bob", "second line")
        self.wait_written("bob", "third line")

        # Closed while held: the messenger keeps the text and writes it once
        # the file is let go.
        self.signal("bob written")
        self.wait_written("carol", "carol opens", timeout=20)
        held = HeldFile(self, self.day_file("carol"))
        self.signal("carol held")
        self.press(ERROR_CAPTION)
        self.report.wait_for("destroyed", count=2, timeout=20, **{"class": "AIM_IMessage"})
        self.assertEqual(self.most_boxes_during(2), 0)
        self.assertNotIn(b"carol goes on", self.written("carol"))
        held.release()
        self.wait_written("carol", "carol goes on")
        self.assertEqual(self.boxes(), 0)
        self.end_session()

    def test_the_clearing_notice_clears_only_what_is_written_past_65535_characters(self):
        filler = "x" * 1000
        before = ["receive bob bob m%03d %s" % (n, filler) for n in range(60)]
        during = ["receive bob bob m%03d %s" % (n, filler) for n in range(60, 75)]
        self.start_session(["im bob"] + before + [self.await_line("noticed")] + during + [
            "receive bob bob the last line", self.await_line("pressed"),
            "receive bob bob after the clear"])
        harness.wait_until(lambda: self.boxes(NOTICE_CAPTION) == 1, timeout=60,
                           what="the clearing notice")
        self.signal("noticed")
        harness.wait_until(lambda: self.ran("receive bob bob the last line"), timeout=30,
                           what="the last line")
        lengths = [int(e["length"]) for e in self.report.events("message")]
        self.assertGreater(max(lengths), 65535)
        # At once: the last line has not met a tick yet.
        self.press(NOTICE_CAPTION)
        self.signal("pressed")
        self.wait_written("bob", "after the clear")
        data = self.written("bob")
        last_block = data.rfind(b"<!-- ")
        for n in range(75):
            self.assertIn(b"m%03d " % n, data[:last_block])
        self.assertIn(b"the last line", data[:last_block])
        self.assertNotIn(b"the last line", data[last_block:])
        self.assertEqual(self.boxes(), 0)
        self.end_session()

    def test_the_users_clear_while_the_day_file_is_held_keeps_the_text(self):
        self.start_session([
            "im bob", "receive bob bob kept line", self.await_line("held"), "clear bob",
            "text bob", self.await_line("released"), "receive bob bob after", "wait 2500",
            "close bob"])
        self.wait_written("bob", "kept line")
        held = HeldFile(self, self.day_file("bob"))
        self.signal("held")
        harness.wait_until(lambda: self.robot.dialogs("Clear Window?"), timeout=20,
                           what="the clear box")
        self.robot("press", "Clear Window?", "OK")
        harness.wait_until(lambda: self.boxes() == 1, timeout=20, what="the message")
        texts = [c.get("text", "") for d in self.robot.dialogs(ERROR_CAPTION)
                 for c in d["controls"]]
        self.assertTrue(any("could not be written" in t for t in texts), texts)
        self.press(ERROR_CAPTION)
        shown = self.report.wait_for("text", timeout=20)
        self.assertIn("kept line", shown[-1].get("value", ""))
        self.assertEqual(self.most_boxes_during(2), 0)
        held.release()
        self.signal("released")
        self.report.wait_for("destroyed", timeout=30, **{"class": "AIM_IMessage"})
        data = self.written("bob")
        # One block: nothing was cleared, nothing lost.
        self.assertEqual(data.count(b"<!-- "), 1)
        self.assertIn(b"kept line", data)
        self.assertIn(b"after", data)
        self.assertEqual(self.boxes(), 0)
        self.end_session()


if __name__ == "__main__":
    unittest.main()
