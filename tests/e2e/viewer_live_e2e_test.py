"""The History Viewer follows the disk while it is open: new dates, buddies
and users join the lists without moving the selection, a growing day file
shows its new text; and the size total of the whole tree."""

import datetime
import os
import shutil
import unittest

import harness
import viewer_session as vs
from viewer_session import CAPTION

FRIDAY = ("Alice", "bob", "2002-06-14 [Friday]")


class ViewerLiveTest(vs.ViewerTest):
    def test_new_entries_join_the_lists_and_the_shown_day_reloads(self):
        bob = self.path("Alice", "bob")
        friday = vs.write_day(bob, datetime.date(2002, 6, 14), vs.conversation(["friday with bob"]))
        vs.write_day(bob, datetime.date(2002, 6, 12), vs.conversation(["wednesday with bob"]))
        vs.write_day(self.path("Alice", "carol"), datetime.date(2002, 6, 1),
                     vs.conversation(["june with carol"]))
        vs.write_day(self.path("Bert", "ernie"), datetime.date(2002, 6, 2),
                     vs.conversation(["bert and ernie"]))
        self.start_viewer("alice", "bob")
        self.wait_selected(FRIDAY)
        self.wait_shown("friday with bob")

        # A newer and an older day of the shown buddy: listed, not selected.
        vs.write_day(bob, datetime.date(2002, 6, 20), vs.conversation(["a newer day"]))
        vs.write_day(bob, datetime.date(2002, 6, 13), vs.conversation(["an older day"]))
        want = ["2002-06-12 [Wednesday]", "2002-06-13 [Thursday]", "2002-06-14 [Friday]",
                "2002-06-20 [Thursday]"]
        harness.wait_until(lambda: self.lists()["dates"][0] == want, timeout=10,
                           what="the new dates listed")
        self.assertEqual(self.selected(), FRIDAY)

        # A new buddy of the selected user, and a new user.
        os.makedirs(self.path("Alice", "Zoe"))
        harness.wait_until(lambda: self.lists()["buddies"][0] == ["bob", "carol", "Zoe"],
                           timeout=10, what="the new buddy listed")
        os.makedirs(self.path("Aaron"))
        harness.wait_until(lambda: self.lists()["users"][0] == ["Aaron", "Alice", "Bert"],
                           timeout=10, what="the new user listed")
        self.assertEqual(self.selected(), FRIDAY)
        self.assertNotIn("a newer day", self.shown()["value"])

        # A user removed outside the viewer stays listed until a rebuild.
        shutil.rmtree(self.path("Bert"))
        os.makedirs(self.path("Cecil"))
        harness.wait_until(lambda: self.lists()["users"][0] == ["Aaron", "Alice", "Bert", "Cecil"],
                           timeout=10, what="another new user listed")
        self.assertEqual(self.selected(), FRIDAY)

        # The conversation goes on in the shown day: its new text appears.
        with open(friday, "ab") as f:
            f.write(vs.block_bytes(1, vs.conversation(["a late reply"])))
        shown = self.wait_shown("a late reply")["value"]
        self.assertIn("friday with bob", shown)
        self.assertEqual(self.selected(), FRIDAY)

    def test_size_total_in_whole_mebibytes(self):
        for total, text in ((1048575, "<1"), (1048576, "1"), (3500000, "3")):
            with self.subTest(total=total):
                # Files of any name and in deeper folders count too.
                root = os.path.join(self.tmp, "History-%d" % total)
                day = vs.write_day(os.path.join(root, "alice", "bob"), datetime.date(2002, 6, 14),
                                   vs.conversation(["sized"]))
                extra = os.path.join(root, "alice", "bob", "pictures", "older", "beach.jpg")
                os.makedirs(os.path.dirname(extra))
                with open(extra, "wb") as f:
                    f.write(b"\0" * (total - 100 - os.path.getsize(day)))
                with open(os.path.join(root, "alice", "readme"), "wb") as f:
                    f.write(b"x" * 100)
                harness.reg_add(harness.SETTINGS_KEY, "LogDir", harness.win_path(root))
                pid = self.start_viewer()
                try:
                    shown = harness.wait_until(
                        lambda: (lambda c: c if c["text"] != "???" else None)(
                            self.control(vs.SIZE)), timeout=20, what="the size total")
                    self.assertEqual(shown["text"], text)
                    self.assertEqual(self.control(vs.SIZE_LABEL)["text"], "Total History Size: ")
                    self.assertEqual(self.control(vs.SIZE_UNIT)["text"], "MB")
                finally:
                    self.close_viewer(pid)


if __name__ == "__main__":
    unittest.main()
