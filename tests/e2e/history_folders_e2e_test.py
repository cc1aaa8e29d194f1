"""Which folders conversations are logged into, through the real launcher,
stand-in host and hook: names Windows refuses as file names are logged under
mended folder names, the History command opens the viewer on them, and
buddy folders that carry further attributes on disk are not reused."""

import glob
import os
import stat
import unittest

import harness
import resource_ids
from harness import Report

VIEWER_CAPTION = "Corvane History"
VIEWER_IDS = resource_ids.load("viewer/resources/viewer_resources.h")
USERS, BUDDIES = VIEWER_IDS["IDC_USER_LIST"], VIEWER_IDS["IDC_BUDDY_LIST"]
CMD_HISTORY_VIEWER = "57005"
CMD_HOST_EXIT = "30002"
SC_CLOSE = 61536


class HistoryFoldersTest(harness.WineTest):
    registers_host = True

    def setUp(self):
        super().setUp()
        self.report = Report(os.path.join(self.tmp, "host.log"))
        self.robot = self.house

    def tearDown(self):
        # Writable again, so that the temporary folder can go.
        for folder, _, _ in os.walk(self.tmp):
            os.chmod(folder, stat.S_IRWXU)
        super().tearDown()

    def start_session(self, script):
        """The launcher with a host running `script`; the host stays until
        quit_host()."""
        path = os.path.join(self.tmp, "script.txt")
        with open(path, "w") as f:
            f.write(script + "wait 600000\nquit\n")
        self.launcher = self.start("Corvane.exe", env={
            "TESTHOST_REPORT": harness.win_path(self.report.path),
            "TESTHOST_SCRIPT": harness.win_path(path)})
        self.report.wait_for("ready", timeout=60)

    def quit_host(self):
        self.assertEqual(self.robot("command", "_Oscar_BuddyListWin", CMD_HOST_EXIT), ["posted"])
        self.report.wait_for("done", timeout=60)
        self.assertEqual(self.launcher.wait(timeout=30), 0)
        self.assertEqual(self.report.events("error"), [])

    def day_text(self, *folders):
        """The text of the one day file in that folder, once it is there."""
        pattern = os.path.join(self.history, *folders, "*.html")
        files = harness.wait_until(lambda: glob.glob(pattern), timeout=30, what=pattern)
        self.assertEqual(len(files), 1, files)
        with open(files[0], "rb") as f:
            return f.read()

    def no_failure_box(self):
        self.assertEqual(self.robot.dialogs("Corvane Error"), [])

    def selected(self, list_id):
        return self.robot.selected(VIEWER_CAPTION, list_id)

    def test_names_windows_refuses_are_logged_and_the_viewer_opens_on_them(self):
        # Closing a window logs its last text; "con" stays the only IM window.
        self.start_session(
            'signon con\n'
            'im "con air"\nreceive "con air" ann an ordinary name\nclose "con air"\n'
            'im nul.txt\nreceive nul.txt nul a device with a suffix\nclose nul.txt\n'
            'chat "Lounge: a:b|c"\nreceive "Lounge: a:b|c" carol a room with colons\n'
            'im con\nreceive con con a device name\n')
        self.assertIn(b"a device name", self.day_text("con_", "con_"))
        self.assertIn(b"a device with a suffix", self.day_text("con_", "nul_.txt"))
        self.assertIn(b"a room with colons", self.day_text("con_", "Lounge- a-b_c"))
        self.assertIn(b"an ordinary name", self.day_text("con_", "con air"))
        self.no_failure_box()

        # History on the "con" window opens the viewer on "con_" for both
        # names, not on "con air", which comes first and begins with "con" too.
        self.assertEqual(self.robot("command", "AIM_IMessage", CMD_HISTORY_VIEWER), ["posted"])
        harness.wait_until(lambda: self.robot.window(VIEWER_CAPTION), timeout=30,
                           what="the History Viewer")
        # The list is filled once the user's buddies are listed.
        def listed():
            found = self.robot.items(VIEWER_CAPTION, BUDDIES)
            return found[0] if found and {"con air", "con_"} <= set(found[0]) else None
        buddies = harness.wait_until(listed, timeout=20, what="the buddy list")
        self.assertLess(buddies.index("con air"), buddies.index("con_"))
        harness.wait_until(lambda: self.selected(USERS) == "con_" and self.selected(BUDDIES) == "con_",
                           timeout=20, what="con_ and con_ selected in the viewer")
        self.robot("sys", VIEWER_CAPTION, SC_CLOSE)
        harness.wait_until(lambda: self.robot.window(VIEWER_CAPTION) is None, timeout=20,
                           what="the viewer to close")
        self.quit_host()

    def test_buddy_folders_with_further_attributes_are_not_reused(self):
        alice = os.path.join(self.history, "alice")
        for name in ("johndoe", "janedoe", "bigbob"):
            os.makedirs(os.path.join(alice, name))
        # Wine shows a folder without write permission as read-only, and keeps
        # the hidden attribute that attrib sets.
        read_only = os.path.join(alice, "johndoe")
        os.chmod(read_only, stat.S_IRUSR | stat.S_IXUSR | stat.S_IRGRP | stat.S_IXGRP)
        hidden = harness.run("attrib", "+h", harness.win_path(os.path.join(alice, "janedoe")))
        self.assertEqual(hidden.returncode, 0, hidden.stdout + hidden.stderr)

        self.start_session(
            'signon alice\n'
            'im "John Doe"\nreceive "John Doe" john to the read-only folder\n'
            'im "Jane Doe"\nreceive "Jane Doe" jane to the hidden folder\n'
            'im "Big Bob"\nreceive "Big Bob" bob to the plain folder\n')
        self.assertIn(b"to the read-only folder", self.day_text("alice", "John Doe"))
        self.assertIn(b"to the hidden folder", self.day_text("alice", "Jane Doe"))
        self.assertIn(b"to the plain folder", self.day_text("alice", "bigbob"))
        self.assertEqual(os.listdir(read_only), [])
        self.assertEqual(os.listdir(os.path.join(alice, "janedoe")), [])
        self.assertFalse(os.path.exists(os.path.join(alice, "Big Bob")))
        self.no_failure_box()
        self.quit_host()


if __name__ == "__main__":
    unittest.main()
