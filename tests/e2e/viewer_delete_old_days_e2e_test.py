"""Delete Old Days in the History Viewer and /delete-before on its command
line: the preview counts the days and their size before anything goes, a
second question names the count and the date, the day files go to the
trash and the folders left empty with them; today's file, a day written in
the last minutes (a conversation may still be writing it) and every file
that is not a day file stay."""

import datetime
import os
import re
import time
import unittest
import urllib.parse

import harness
import viewer_session as vs
from viewer_session import CAPTION, DELETE_OLD

LONG_AGO = time.time() - 30 * 24 * 3600
IDOK = 1  # the dialog's Delete button


class DeleteOldDaysTest(vs.ViewerTest):
    def setUp(self):
        super().setUp()
        self.today = datetime.date.today()
        self.old = []  # the day files that may go, oldest first

        def day(user, buddy, date, words, recent=False):
            path = vs.write_day(self.path(user, buddy), date, vs.conversation([words] * 3))
            if not recent:
                os.utime(path, (LONG_AGO, LONG_AGO))
            return path

        self.old += [day("alice", "bob", datetime.date(2004, 3, 1), "march"),
                     day("alice", "bob", datetime.date(2004, 12, 31), "new year's eve"),
                     day("alice", "carol", datetime.date(2004, 6, 1), "carol only")]
        self.dave = day("dave", "erin", datetime.date(2004, 7, 7), "dave and erin")
        self.later = day("alice", "bob", datetime.date(2005, 1, 1), "new year")
        self.today_file = day("alice", "bob", self.today, "today")
        # An old day whose file was written a moment ago: a conversation
        # that began before midnight may still be writing it.
        self.recent = day("dave", "erin", datetime.date(2004, 8, 8), "still writing", recent=True)
        self.not_days = [self.path("alice", "bob", "notes.html"), self.path("alice", "bob", "x.txt"),
                         self.path("alice", "bob", "2004-01-01 [Monday].html"),  # wrong weekday
                         self.path("notes.txt")]
        for path in self.not_days:
            with open(path, "w") as f:
                f.write("not history")
            os.utime(path, (LONG_AGO, LONG_AGO))

    def size(self, *paths):
        return sum(os.path.getsize(p) for p in paths)

    def open_dialog(self, *names):
        self.start_viewer(*names)
        self.robot("sys", CAPTION, vs.SC_DELETE_OLD)
        harness.wait_until(lambda: self.robot.shown(DELETE_OLD), timeout=10, what="the dialog")

    def preview(self, before, scope=0):
        """Sets the date and scope; the preview line once counted."""
        self.robot("select", DELETE_OLD, vs.DELETE_SCOPE, scope)
        self.robot("settext", DELETE_OLD, vs.DELETE_BEFORE, before)
        return harness.wait_until(
            lambda: (lambda t: t if t and t != "Counting..." else None)(
                self.robot.control(DELETE_OLD, vs.DELETE_PREVIEW)["text"]),
            timeout=20, what="the count")

    def kb(self, *paths):
        """Their size as the preview writes it."""
        size = self.size(*paths)
        if size < 1024:
            return "{:,} bytes".format(size)
        unit, name = (1 << 20, "MB") if size >= 1 << 20 else (1024, "KB")
        tenths = (size * 10 + unit // 2) // unit
        return "{:,}.{} {}".format(tenths // 10, tenths % 10, name)

    def trashed(self):
        info = os.path.join(self.trash, "info")
        found = []
        for entry in os.listdir(info) if os.path.isdir(info) else []:
            with open(os.path.join(info, entry)) as f:
                found += [urllib.parse.unquote(l[5:]) for l in f.read().splitlines()
                          if l.startswith("Path=")]
        return sorted(found)

    def test_the_preview_counts_before_anything_goes(self):
        self.open_dialog("alice", "bob")
        self.assertEqual(self.robot.items(DELETE_OLD, vs.DELETE_SCOPE),
                         (["All users", "alice", "alice and bob"], 0))
        everything = self.old + [self.dave]
        self.assertEqual(self.preview("2005-01-01"),
                         "4 days (%s) before 2005-01-01 for all users" % self.kb(*everything))
        self.assertEqual(self.preview("2004-12-31", scope=2),
                         "1 day (%s) before 2004-12-31 for alice and bob" % self.kb(self.old[0]))
        self.assertEqual(self.preview("2005-01-01", scope=1),
                         "3 days (%s) before 2005-01-01 for alice" % self.kb(*self.old))
        # However late the date, today's file and the one just written stay.
        self.assertEqual(self.preview("9999-12-31"),
                         "5 days (%s) before 9999-12-31 for all users"
                         % self.kb(*(everything + [self.later])))
        self.assertEqual(self.preview("2000-01-01"), "0 days (0 bytes) before 2000-01-01 for all users")
        self.assertEqual(self.robot.control(DELETE_OLD, IDOK)["enabled"], "0")
        self.assertEqual(self.preview("2005-1-1"), "Enter the date as yyyy-mm-dd.")
        self.assertEqual(self.trashed(), [])

    def test_delete_asks_again_then_takes_the_old_days_alone(self):
        self.open_dialog("alice", "bob")
        self.assertTrue(self.preview("9999-12-31").startswith("5 days "))
        # No keeps everything.
        self.robot("click", DELETE_OLD, IDOK)
        text, _ = self.box()
        self.assertEqual(text, "Delete 5 days of history before 9999-12-31 for all users?\n\n"
                               "The day files go to the Recycle Bin.")
        self.answer("&No")
        self.assertEqual(self.trashed(), [])
        self.robot("click", DELETE_OLD, IDOK)
        self.box()
        self.answer("&Yes")
        harness.wait_until(lambda: self.robot.control(DELETE_OLD, vs.DELETE_PREVIEW)["text"]
                           .startswith("0 days"), timeout=20, what="the count after deleting")
        self.assertEqual(self.trashed(), sorted(self.old + [self.dave, self.later]))
        for path in [self.today_file, self.recent] + self.not_days:
            self.assertTrue(os.path.isfile(path), path)
        # carol's folder held only old days: it is gone, and so is nothing else.
        self.assertFalse(os.path.exists(self.path("alice", "carol")))
        self.assertTrue(os.path.isdir(self.path("dave", "erin")))
        self.robot("press", DELETE_OLD, "Close")
        # The viewer's lists show what is left.
        harness.wait_until(lambda: self.lists()["buddies"][0] == ["bob"], timeout=10,
                           what="carol gone from the list")

    def test_delete_before_on_the_command_line(self):
        def viewer_run(*args):
            return harness.run(harness.bin_file(vs.VIEWER), *args, env={"XDG_DATA_HOME": self.xdg})
        size = self.kb(*self.old[:2])
        done = viewer_run("/delete-before", "2005-01-01", "/user", "alice", "/buddy", "bob")
        self.assertEqual((done.returncode, done.stderr), (0, ""))
        self.assertEqual(done.stdout.strip(),
                         "Deleted 2 days (%s) before 2005-01-01 for alice and bob" % size)
        self.assertEqual(self.trashed(), sorted(self.old[:2]))
        done = viewer_run("/delete-before", "9999-12-31")
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertTrue(os.path.isfile(self.today_file))
        self.assertTrue(os.path.isfile(self.recent))
        for path in self.not_days:
            self.assertTrue(os.path.isfile(path), path)
        done = viewer_run("/delete-before", "2005-01-01", "/user", "nobody")
        self.assertEqual((done.returncode, done.stderr.strip()),
                         (3, "There is no history of nobody in %s." % self.win()))


if __name__ == "__main__":
    unittest.main()
