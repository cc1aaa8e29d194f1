"""A scripted conversation in the stand-in host, through the launcher and the
real hook, lands in the history tree."""

import glob
import os
import re
import threading
import time
import unittest

import harness
import resource_ids
from harness import Report, bin_file

KEY_LINE = re.compile(rb"<!-- (\d\d:\d\d:\d\d-[0-9a-f]+) -->\r\n")


def blocks(data):
    """[(key, form, text)] of a day file's bytes."""
    found = []
    starts = [m for m in KEY_LINE.finditer(data)]
    for i, m in enumerate(starts):
        end = starts[i + 1].start() if i + 1 < len(starts) else len(data)
        body = data[m.end():end]
        if body.startswith(b'<BASE TARGET="_new">\r\n') and body.endswith(b"<BR>\r\n"):
            found.append((m.group(1), "rewrite", body[len(b'<BASE TARGET="_new">\r\n'):-6]))
        else:
            found.append((m.group(1), "creation", body[:-2] if body.endswith(b"\r\n") else body))
    return found


class HistoryTest(harness.WineTest):
    registers_host = True

    def setUp(self):
        super().setUp()
        self.report = Report(os.path.join(self.tmp, "host.log"))

    def run_session(self, script):
        path = os.path.join(self.tmp, "script.txt")
        with open(path, "w") as f:
            f.write(script)
        env = {"TESTHOST_REPORT": harness.win_path(self.report.path),
               "TESTHOST_SCRIPT": harness.win_path(path)}
        return self.start("Corvane.exe", env=env)

    def day_files(self, user, buddy):
        return glob.glob(os.path.join(self.history, user, buddy, "*.html"))

    def test_conversation_with_clear_and_chat_is_logged(self):
        # The robot confirms the host's clear command when its box shows.
        def confirm():
            harness.wait_until(lambda: "caption=Clear Window?" in harness.run(
                bin_file("robot.exe"), "dialogs", "Clear Window?").stdout, timeout=60,
                what="the clear box")
            harness.run(bin_file("robot.exe"), "press", "Clear Window?", "OK")
        robot = threading.Thread(target=confirm)
        robot.start()
        launcher = self.run_session("""
signon alice
im bob
receive bob bob look <IMG SRC="beach.gif">
wait 1500
send bob nice <!-- status -->
wait 1500
clear bob
wait 300
receive bob bob after the clear
wait 1500
chat Lounge
receive Lounge carol hello room
wait 1500
close bob
close Lounge
quit
""")
        self.report.wait_for("done", timeout=90)
        robot.join(timeout=60)
        self.assertEqual(launcher.wait(timeout=30), 0)

        files = self.day_files("alice", "bob")
        self.assertEqual(len(files), 1, files)
        name = os.path.basename(files[0])
        self.assertRegex(name, r"^\d{4}-\d\d-\d\d \[(Sun|Mon|Tues|Wednes|Thurs|Fri|Satur)day\]\.html$")
        data = open(files[0], "rb").read()
        found = blocks(data)
        self.assertEqual(len(found), 2, data)
        (key1, form1, text1), (key2, form2, text2) = found
        self.assertNotEqual(key1, key2)
        self.assertEqual(form1, "rewrite")  # written again after its creation
        self.assertIn(b'<FONT SIZE=1><B>[IMG SRC="beach.gif"]</B></FONT>', text1)
        self.assertIn(b"<FONT SIZE=1> status </FONT>", text1)
        self.assertNotIn(b"<!--", text1)
        self.assertEqual(form2, "rewrite")
        self.assertIn(b"(IM Window Cleared)", text2)
        self.assertIn(b"after the clear", text2)
        self.assertNotIn(b"look", text2)
        self.assertTrue(data.endswith(b"<BR>\r\n"))

        chat = self.day_files("alice", "Lounge")
        self.assertEqual(len(chat), 1)
        (_, form, text), = blocks(open(chat[0], "rb").read())
        self.assertEqual(form, "creation")
        self.assertIn(b"hello room", text)
        # Nothing is left beside the day files.
        self.assertEqual(sorted(glob.glob(os.path.join(self.history, "*", "*", "*"))), sorted(files + chat))

        # The host never saw its clear command: the library's confirmed
        # clear answered it.
        self.assertEqual(self.report.events("host-clear"), [])

    def test_corvane_menu_commands_reach_their_programs(self):
        robot = bin_file("robot.exe")
        launcher = self.run_session("signon alice\nim bob\nreceive bob bob hello\nchat Lounge\n"
                                    "wait 1500\nwindows\nwait 15000\nquit\n")
        # The host reports its windows a line at a time: wait for both kinds.
        for kind in ("AIM_IMessage", "AIM_ChatWnd"):
            self.report.wait_for("window", timeout=60, **{"class": kind})
        bars = {w["class"]: w["menulabels"].split("|") for w in self.report.events("window")
                if w["class"] in ("AIM_IMessage", "AIM_ChatWnd")}
        self.assertEqual(len(bars["AIM_IMessage"]), 5)
        self.assertEqual(bars["AIM_IMessage"][4], "&Corvane")
        self.assertEqual(len(bars["AIM_ChatWnd"]), 6)
        self.assertEqual(bars["AIM_ChatWnd"][4], "&Corvane")

        # History opens the History Viewer on this user and buddy.
        viewer = harness.Robot()
        try:
            harness.run(robot, "command", "AIM_IMessage", "57005")
            harness.wait_until(lambda: viewer.window("Corvane History"), timeout=30,
                               what="the History Viewer")

            ids = resource_ids.load("viewer/resources/viewer_resources.h")
            harness.wait_until(lambda: viewer.selected("Corvane History", ids["IDC_USER_LIST"]) == "alice"
                               and viewer.selected("Corvane History", ids["IDC_BUDDY_LIST"]) == "bob",
                               timeout=20, what="alice and bob selected in the viewer")
            viewer("sys", "Corvane History", 61536)
            harness.wait_until(lambda: viewer.window("Corvane History") is None, timeout=20,
                               what="the viewer to close")
        finally:
            viewer.close()

        # Launch Clone starts the launcher with -clone, which starts a host.
        harness.run(robot, "command", "AIM_IMessage", "40")
        self.report.wait_for("ready", count=2, timeout=60)
        self.report.wait_for("done", count=2, timeout=90)
        self.assertEqual(launcher.wait(timeout=30), 0)


if __name__ == "__main__":
    unittest.main()
