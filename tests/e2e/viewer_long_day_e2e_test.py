"""A day longer than a megabyte in the History Viewer: its end shows at
once, the reader scrolls up while the rest is still loading and keeps the
same line at the top when it arrives, and reaches the top afterwards."""

import datetime
import os
import time
import unittest

import harness
import viewer_session as vs
from viewer_session import CAPTION, DATES

# Long enough to be loading still once the viewer's End presses are over,
# even on a quiet machine (about a second a megabyte).
LINES = 36000
# The view holds only the lines around the end until the whole day is in.
LOADING_LINES = 1000


def line(n):
    return "line %05d of the long day" % n


class ViewerLongDayTest(vs.ViewerTest):
    def setUp(self):
        super().setUp()
        bob = self.path("Alice", "bob")
        self.long_day = vs.write_day(bob, datetime.date(2002, 6, 13),
                                     *vs.conversations_in_blocks([line(n) for n in range(1, LINES + 1)]))
        vs.write_day(bob, datetime.date(2002, 6, 14), vs.conversation(["a short day"]))

    def loading(self, top):
        return int(top["lines"]) < LOADING_LINES

    def test_shows_the_end_first_and_the_rest_behind_it(self):
        self.assertGreater(os.path.getsize(self.long_day), 1024 * 1024)
        self.start_viewer("alice", "bob")
        self.wait_shown("a short day")

        self.robot("select", CAPTION, DATES, 0)
        shown = self.wait_shown(line(LINES))
        top = self.top_line()
        # The end is in sight while the rest of the day is still loading.
        self.assertTrue(self.loading(top), top)
        self.assertGreater(int(shown["firstvisible"]), 0)
        self.assertNotIn(line(1), shown["value"])
        self.assertIn(line(LINES), shown["value"].splitlines()[-2])

        # Past the viewer's End presses after the day showed, the reader
        # scrolls up while the day is still loading.
        time.sleep(0.8)
        self.scroll(vs.SB_PAGEUP, 3)
        before = self.top_line()
        self.assertTrue(self.loading(before), "the day loaded before the reader could scroll: %r" % before)
        number = int(before["text"].split("line ")[1][:5])
        self.assertTrue(LINES - 100 < number < LINES - 10, before)
        self.assertLess(int(before["index"]), int(before["lines"]) - 10)

        # The rest arrives without moving the line at the top.  How soon is
        # the benchmark's to measure: on a loaded machine it takes minutes,
        # and a look every half second leaves the window to its loading.
        after = harness.wait_until(lambda: (lambda t: t if not self.loading(t) else None)(self.top_line()),
                                   timeout=240, interval=0.5, what="the whole day loaded")
        self.assertEqual(after["text"], before["text"])
        self.assertGreater(int(after["index"]), int(before["index"]))

        # And now the top is there to scroll to.
        self.scroll(vs.SB_TOP)
        first = self.top_line()
        self.assertEqual(first["index"], "0")
        self.assertIn(line(1), first["text"])


if __name__ == "__main__":
    unittest.main()
