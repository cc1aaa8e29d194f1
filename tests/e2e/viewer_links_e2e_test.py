"""Links in the history tree, as Wine shows a Unix symbolic link: one that
loops back into the history folder leaves the viewer idle with the real
total, and a buddy folder that lives outside the history folder, reached
through a link, loses nothing to Clear All, Delete Old Days or
/delete-before."""

import datetime
import os
import time
import unittest

import harness
import viewer_session as vs
from viewer_session import CAPTION, DELETE_OLD

LONG_AGO = time.time() - 30 * 24 * 3600
IDOK = 1  # Delete Old Days' Delete button


class LinksTest(vs.ViewerTest):
    def setUp(self):
        super().setUp()
        self.bob = self.old_day(self.path("alice", "bob"), datetime.date(2004, 3, 1), "with bob")
        # carol's folder lives elsewhere, a link to it in alice's.
        self.carol = self.old_day(os.path.join(self.tmp, "elsewhere", "carol"),
                                  datetime.date(2004, 3, 2), "with carol")
        os.symlink(os.path.dirname(self.carol), self.path("alice", "carol"))
        os.symlink(self.history, self.path("alice", "loop"))

    def old_day(self, folder, date, words):
        path = vs.write_day(folder, date, vs.conversation([words] * 3))
        os.utime(path, (LONG_AGO, LONG_AGO))
        return path

    def test_a_link_looping_back_leaves_the_viewer_idle_with_the_real_total(self):
        with open(self.path("alice", "bob", "pictures.dat"), "wb") as f:
            f.write(b"\0" * 3500000)
        # Counted through the link, carol's would make it 5 MB.
        with open(os.path.join(os.path.dirname(self.carol), "pictures.dat"), "wb") as f:
            f.write(b"\0" * 2000000)
        self.start_viewer()
        shown = harness.wait_until(
            lambda: (lambda c: c if c["text"] != "???" else None)(self.control(vs.SIZE)),
            timeout=20, what="the size total")
        self.assertEqual(shown["text"], "3")
        self.assertEqual(self.robot("idle", CAPTION), ["idle"])

    def test_a_linked_buddy_folder_survives_every_delete(self):
        self.start_viewer("alice", "bob")
        self.robot("sys", CAPTION, vs.SC_DELETE_OLD)
        harness.wait_until(lambda: self.robot.shown(DELETE_OLD), timeout=10, what="the dialog")
        self.robot("settext", DELETE_OLD, vs.DELETE_BEFORE, "2005-01-01")
        preview = harness.wait_until(
            lambda: (lambda t: t if t and t != "Counting..." else None)(
                self.robot.control(DELETE_OLD, vs.DELETE_PREVIEW)["text"]),
            timeout=20, what="the count")
        self.assertRegex(preview, r"^1 day \(.*\) before 2005-01-01 for all users"
                                  r" \(1 day reached through a link is left\)$")
        self.robot("click", DELETE_OLD, IDOK)
        self.box()
        self.answer("&Yes")
        harness.wait_until(lambda: not os.path.exists(self.bob), timeout=20, what="bob's day gone")
        self.robot("press", DELETE_OLD, "Close")
        self.assertTrue(os.path.isfile(self.carol))

        today = vs.write_day(self.path("alice", "bob"), datetime.date.today(),
                             vs.conversation(["today"]))
        self.robot("click", CAPTION, vs.CLEAR_ALL)
        self.box()
        self.answer("&Yes")
        harness.wait_until(lambda: not os.path.exists(today), timeout=20, what="today's day gone")
        self.assertTrue(os.path.isfile(self.carol))
        self.assertTrue(os.path.islink(self.path("alice", "carol")))

        done = harness.run(harness.bin_file(vs.VIEWER), "/delete-before", "2005-01-01",
                           env={"XDG_DATA_HOME": self.xdg})
        self.assertEqual((done.returncode, done.stderr), (0, ""))
        self.assertEqual(done.stdout.strip(),
                         "Deleted 0 days (0 bytes) before 2005-01-01 for all users"
                         " (1 day reached through a link was left)")
        self.assertTrue(os.path.isfile(self.carol))


if __name__ == "__main__":
    unittest.main()
