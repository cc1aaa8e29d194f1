"""The History Viewer as a user meets it: which user and buddy it opens on
for each command line, what its three lists hold, what selecting shows and
how far the view scrolls, and Enter closing it."""

import datetime
import os
import time
import unittest

import harness
import viewer_session as vs
from viewer_session import CAPTION, DATES, BUDDIES, USERS

LONG_USER = "zackary the very long screen name xx1234"
LONG_BUDDY = "a buddy with a long name 12345"
WEDNESDAY = datetime.date(2002, 6, 12)
FRIDAY = datetime.date(2002, 6, 14)


def arguments_as_launched(user, buddy):
    """The argument text the hook library passes from a conversation
    window: built in 68 bytes, so cut after 67 characters."""
    return ('"%s" "%s"' % (user, buddy))[:67]


class ViewerBrowseTest(vs.ViewerTest):
    def setUp(self):
        super().setUp()
        bob = self.path("Alice", "bob")
        vs.write_day(bob, WEDNESDAY, vs.conversation(["wednesday with bob"]))
        # The suffix in capitals still makes a history file.
        vs.write_day(bob, "2002-06-14 [Friday].HTML",
                     vs.conversation(["friday with bob", "see you"]),
                     vs.conversation(["friday evening, second window"]))
        vs.write_day(bob, ".html", vs.conversation(["only the suffix"]))
        # Neither a folder named like a day file nor another file is a date.
        vs.write_day(self.path("Alice", "bob", "2002-06-15 [Saturday].html"), "inner.html",
                     vs.conversation(["inside a folder"]))
        with open(os.path.join(bob, "notes.txt"), "w") as f:
            f.write("not a history")
        self.long_lines = ["line %d of a long day" % n for n in range(300)] + ["carol's last word"]
        vs.write_day(self.path("Alice", "Carol"), datetime.date(2002, 6, 10),
                     vs.conversation(self.long_lines, buddy="Carol"))
        vs.write_day(self.path("Alice", "dave"), datetime.date(2002, 5, 1),
                     vs.conversation(["may day with dave"], buddy="dave"))
        with open(self.path("Alice", "stray.html"), "w") as f:
            f.write("a file among the buddies")
        vs.write_day(self.path("Alicia", "erin"), datetime.date(2002, 7, 1),
                     vs.conversation(["alicia and erin"], buddy="erin"))
        vs.write_day(self.path("johndoe", "frank"), datetime.date(2002, 1, 2),
                     vs.conversation(["john and frank"], buddy="frank"))
        vs.write_day(self.path("Mary Ann", "gus"), datetime.date(2002, 1, 3),
                     vs.conversation(["mary ann and gus"], buddy="gus"))
        vs.write_day(self.path(LONG_USER, LONG_BUDDY), datetime.date(2002, 1, 4),
                     vs.conversation(["the long names"], buddy="long"))
        with open(self.path("stray.html"), "w") as f:
            f.write("a file among the users")

    def test_command_line_preselects_user_and_buddy(self):
        exe = harness.win_path(harness.bin_file(vs.VIEWER))
        friday = ("Alice", "bob", "2002-06-14 [Friday]", "friday evening, second window")
        cases = [
            ("no names", '"%s"' % exe, friday),
            ("one name, a prefix of two users", '"%s" "ali"' % exe, friday),
            ("one name, other case", '"%s" "ALICIA"' % exe,
             ("Alicia", "erin", "2002-07-01 [Monday]", "alicia and erin")),
            ("user and buddy", '"%s" "alice" "CA"' % exe,
             ("Alice", "Carol", "2002-06-10 [Monday]", "carol's last word")),
            ("three names, the last two count", '"%s" "johndoe" "Alice" "dave"' % exe,
             ("Alice", "dave", "2002-05-01 [Wednesday]", "may day with dave")),
            ("unquoted program path", '%s "alicia" "erin"' % exe,
             ("Alicia", "erin", "2002-07-01 [Monday]", "alicia and erin")),
            ("no quote at all", "%s alicia erin" % exe, friday),
            ("name with a space against a folder without", '"%s" "john doe"' % exe, friday),
            ("name without a space against a folder with", '"%s" "maryann"' % exe, friday),
            ("argument text cut inside the buddy",
             '"%s" %s' % (exe, arguments_as_launched(LONG_USER, LONG_BUDDY)), friday),
        ]
        self.assertEqual(len(LONG_USER), 40)
        self.assertEqual(len(LONG_BUDDY), 30)
        self.assertFalse(cases[-1][1].endswith('"'))
        for what, command_line, (user, buddy, date, marker) in cases:
            with self.subTest(what, command_line=command_line):
                pid = self.start_viewer(command_line=command_line)
                try:
                    self.wait_selected((user, buddy, date))
                    self.wait_shown(marker)
                finally:
                    self.close_viewer(pid)

    def test_lists_selection_and_scrolling(self):
        pid = self.start_viewer()
        self.wait_selected(("Alice", "bob", "2002-06-14 [Friday]"))
        lists = self.lists()
        self.assertEqual(lists["users"], (["Alice", "Alicia", "johndoe", "Mary Ann", LONG_USER], 0))
        self.assertEqual(lists["buddies"], (["bob", "Carol", "dave"], 0))
        self.assertEqual(lists["dates"], (["", "2002-06-12 [Wednesday]", "2002-06-14 [Friday]"], 2))
        shown = self.wait_shown("friday evening, second window")["value"]
        self.assertIn("friday with bob", shown)

        self.robot("select", CAPTION, DATES, 1)
        self.assertNotIn("friday", self.wait_shown("wednesday with bob")["value"])
        self.robot("select", CAPTION, DATES, 0)
        self.wait_shown("only the suffix")

        # Another buddy: its dates, the newest shown and scrolled to its end.
        began = time.time()
        self.robot("select", CAPTION, BUDDIES, 1)
        self.wait_selected(("Alice", "Carol", "2002-06-10 [Monday]"))
        self.wait_shown("carol's last word")
        scrolled = harness.wait_until(
            lambda: (lambda t: t if int(t["firstvisible"]) > 0 else None)(self.shown()),
            timeout=5, what="the view to scroll")
        took = time.time() - began
        self.assertLess(took, 1.5, "scrolled to the end only after %.2f s" % took)
        # The whole day arrives behind its end, and the end stays in sight:
        # the last lines are the ones at the top.
        # (Its header's lines come before line 0, so a line count alone can
        # be reached while the first lines are still on their way.)
        whole = harness.wait_until(
            lambda: (lambda t: t if "line 0 of a long day" in t["value"] else None)(self.shown()),
            timeout=10, what="the whole day in the view")
        self.assertGreaterEqual(int(whole["lines"]), len(self.long_lines))
        harness.wait_until(lambda: int(self.shown()["firstvisible"]) >= int(whole["lines"]) - 40,
                           timeout=2, what="the view's end in sight")

        # Another user: its buddies and that buddy's newest date.
        self.robot("select", CAPTION, USERS, 1)
        self.wait_selected(("Alicia", "erin", "2002-07-01 [Monday]"))
        self.assertEqual(self.lists()["buddies"], (["erin"], 0))
        self.wait_shown("alicia and erin")

        # Enter in the date list is the dialog's default OK: the viewer ends.
        self.robot("key", CAPTION, DATES, vs.VK_RETURN)
        self.assertIsNotNone(self.robot.exit_code(pid, 10000), "Enter did not close the viewer")
        self.assertIsNone(self.robot.window(CAPTION))


if __name__ == "__main__":
    unittest.main()
